// Conversions between the tool's UTF-8 and the plug-in's UTF-16, through the Windows layer.
#pragma once

#include <string>

namespace skpimport {

// Invalid UTF-8 becomes U+FFFD.
std::u16string ToUtf16(const std::string& text);
// An unpaired surrogate becomes U+FFFD.
std::string ToUtf8(const std::u16string& text);

}  // namespace skpimport
