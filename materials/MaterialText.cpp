#include "MaterialText.h"

#include <crt_wide.h>
#include <windows.h>

#include <cctype>
#include <cstdarg>
#include <cwctype>
#include <vector>

namespace Importing {

std::u16string ToWString(SUStringRef text) {
    size_t length = 0;
    if (SUStringGetUTF16Length(text, &length) != SU_ERROR_NONE || length == 0) return {};
    // The library writes a terminating NUL after the characters, so the buffer has room for it.
    std::vector<unichar> buffer(length + 1, 0);
    size_t copied = 0;
    if (SUStringGetUTF16(text, buffer.size(), buffer.data(), &copied) != SU_ERROR_NONE) return {};
    return std::u16string(buffer.begin(), buffer.begin() + length);
}

std::u16string FormatString(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = _vscwprintf(format, measureArgs);
    va_end(measureArgs);
    std::u16string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        const int written = vswprintf_s(result.data(), result.size(), format, args);
        result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    }
    va_end(args);
    return result;
}

std::u16string SanitizeName(const std::u16string& name) {
    std::u16string result = name;
    for (char16_t& c : result) {
        // Narrow classification sees code units up to 255 only; anything above is not a letter.
        const bool alnum = c <= 255 && std::isalnum(static_cast<int>(c)) != 0;
        if (!alnum && std::iswspace(static_cast<wint_t>(c)) == 0) c = u'_';
    }
    return result;
}

std::string ToUtf8(const std::u16string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string result(static_cast<size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), size, nullptr, nullptr);
    result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return result;
}

}  // namespace Importing
