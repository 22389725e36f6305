// _vscwprintf, vswprintf_s, swprintf_s over the locale-independent formatting engine.

#include <crt_wide.h>

#include <string>

#include "wide_format.h"

extern "C" int _vscwprintf(const WCHAR* format, va_list args) {
    std::u16string text;
    if (!winapi::FormatWide(format, args, text) || text.size() > INT32_MAX) return -1;
    return static_cast<int>(text.size());
}

extern "C" int vswprintf_s(WCHAR* buffer, size_t sizeOfBuffer, const WCHAR* format, va_list args) {
    if (buffer == nullptr || sizeOfBuffer == 0) return -1;
    std::u16string text;
    if (!winapi::FormatWide(format, args, text) || text.size() >= sizeOfBuffer ||
        text.size() > INT32_MAX) {
        buffer[0] = u'\0';
        return -1;
    }
    text.copy(buffer, text.size());
    buffer[text.size()] = u'\0';
    return static_cast<int>(text.size());
}

extern "C" int swprintf_s(WCHAR* buffer, size_t sizeOfBuffer, const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = vswprintf_s(buffer, sizeOfBuffer, format, args);
    va_end(args);
    return result;
}
