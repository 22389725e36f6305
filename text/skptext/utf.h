// UTF-16 <-> UTF-8, the same on every platform and independent of the C library and the process
// locale. Ill-formed input becomes U+FFFD: one per unpaired surrogate, one per maximal ill-formed
// UTF-8 subpart, as the Unicode standard recommends. The strict forms refuse it instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skptext {

// `replaced`, when given, becomes true if anything was replaced (and is left alone otherwise).
std::string ToUtf8(std::u16string_view text, bool* replaced = nullptr);
std::u16string ToUtf16(std::string_view text, bool* replaced = nullptr);

// Empty when the input is not well-formed.
std::optional<std::string> ToUtf8Strict(std::u16string_view text);
std::optional<std::u16string> ToUtf16Strict(std::string_view text);

}  // namespace skptext
