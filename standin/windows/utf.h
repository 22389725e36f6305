// UTF-16 <-> UTF-8 transcoding shared by the conversion calls, the file calls and the wide
// printf. Ill-formed input becomes U+FFFD (one per unpaired surrogate, one per maximal ill-formed
// UTF-8 subpart, as the Unicode standard recommends) and is reported through `replaced`.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace winapi {

std::string Utf16ToUtf8(std::u16string_view text, bool* replaced = nullptr);
std::u16string Utf8ToUtf16(std::string_view text, bool* replaced = nullptr);

}  // namespace winapi
