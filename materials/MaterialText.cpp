#include "MaterialText.h"

#include <skptext/char_class.h>
#include <skptext/utf.h>
#include <skptext/wide.h>

#if defined(_WIN32)
#include <stdio.h>  // _vscwprintf, vswprintf_s
#else
#include <crt_wide.h>
#endif

#include <cstdarg>
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
    const int length = _vscwprintf(skptext::Wide(format), measureArgs);
    va_end(measureArgs);
    std::u16string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        const int written =
            vswprintf_s(skptext::Wide(result.data()), result.size(), skptext::Wide(format), args);
        result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    }
    va_end(args);
    return result;
}

std::u16string SanitizeName(const std::u16string& name) {
    std::u16string result = name;
    for (char16_t& c : result) {
        // By Unicode's data, not the C library's, which differs by platform and locale.
        if (!skptext::IsLetterOrDigit(c) && !skptext::IsWhiteSpace(c)) c = u'_';
    }
    return result;
}

std::string ToUtf8(const std::u16string& text) {
    return skptext::ToUtf8(text);
}

}  // namespace Importing
