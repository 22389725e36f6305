// UTF-8 <-> UTF-16 conversion, strict: malformed input is refused, never replaced.
#pragma once

#include <string>
#include <string_view>

namespace skpm {

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out);
bool Utf16ToUtf8(std::u16string_view utf16, std::string& out);

}  // namespace skpm
