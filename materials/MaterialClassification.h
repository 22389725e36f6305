#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Importing {

const std::vector<std::u16string>& GlassKeywords();
const std::vector<std::u16string>& WaterKeywords();
// True when `name` contains one of `keywords`, letter case aside (Unicode's simple upper case).
bool ContainsKeyword(const std::u16string& name, const std::vector<std::u16string>& keywords);
// The word that replaces a leading star in material names, by the user-interface language.
std::u16string NamePrefixForLanguage(uint16_t languageId);

}  // namespace Importing
