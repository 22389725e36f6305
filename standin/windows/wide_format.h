// The formatting engine of the Microsoft wide printf family, independent of the locale.
#pragma once

#include <cstdarg>
#include <string>

namespace winapi {

// Appends the formatted text to `out`. Reads a copy of `args`, leaving the caller's list where it
// was, as the Microsoft runtime does. False for a
// null or malformed format, an unknown directive and %n, which the Microsoft runtime refuses.
bool FormatWide(const char16_t* format, va_list args, std::u16string& out);

}  // namespace winapi
