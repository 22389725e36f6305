#pragma once

#include <SketchUpAPI/unicodestring.h>

#include <string>

namespace Importing {

// The whole text of a SketchUp string as UTF-16.
std::u16string ToWString(SUStringRef text);
// printf-style formatting on wide strings, with the C runtime's wide conventions (%s is wide).
std::u16string FormatString(const char16_t* format, ...);
// Letters and digits of the scripts skptext knows and white space stay; every other character
// becomes '_'.
std::u16string SanitizeName(const std::u16string& name);
// UTF-8; an unpaired surrogate becomes U+FFFD, as the system's conversion makes it.
std::string ToUtf8(const std::u16string& text);

}  // namespace Importing
