// Character classification and case mapping of UTF-16 code units by Unicode's own data, the same
// on every platform and independent of the C library and the process locale (Microsoft's runtime
// and glibc disagree on iswspace, and neither folds a non-ASCII letter in the "C" locale).
#pragma once

#include <string>
#include <string_view>

namespace skptext {

// Unicode's White_Space: the ASCII spaces and controls TAB..CR, NEL, the no-break and typographic
// spaces, the line and paragraph separators and the ideographic space U+3000.
bool IsWhiteSpace(char16_t c);

// A letter or decimal digit of the scripts whose words the plug-in knows: Latin (ASCII, Latin-1,
// Extended-A and -B), Greek, Cyrillic, the CJK ideographs, kana, Hangul and the full-width forms.
// Anything else (punctuation, symbols, controls, other scripts) is not.
bool IsLetterOrDigit(char16_t c);

// Unicode's simple upper-case mapping for Basic Latin, Latin-1, Latin Extended-A, Greek and
// Coptic, Cyrillic and its Supplement; every other code unit maps to itself. Mappings that need
// more than one character (ß, ŉ, ΐ) have no simple form and stay as they are.
char16_t ToUpper(char16_t c);
std::u16string ToUpper(std::u16string_view text);

}  // namespace skptext
