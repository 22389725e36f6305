#include "utf.h"

namespace skpm {
namespace {

// Decodes one code point starting at utf8[i], advancing i; false on malformed input.
bool NextCodePoint(std::string_view utf8, size_t& i, char32_t& code) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char lead = byte(i);
    size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        code = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (utf8.size() - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= minimum && code <= 0x10FFFF && !surrogate;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
    std::u16string result;
    result.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t code;
        if (!NextCodePoint(utf8, i, code)) return false;
        if (code < 0x10000) {
            result += static_cast<char16_t>(code);
        } else {
            code -= 0x10000;
            result += static_cast<char16_t>(0xD800 | (code >> 10));
            result += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
        }
    }
    out = std::move(result);
    return true;
}

bool Utf16ToUtf8(std::u16string_view utf16, std::string& out) {
    std::string result;
    result.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xDC00 && code <= 0xDFFF) return false;  // a trail without its lead
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 == utf16.size() || utf16[i + 1] < 0xDC00 || utf16[i + 1] > 0xDFFF)
                return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        }
        AppendUtf8(code, result);
    }
    out = std::move(result);
    return true;
}

}  // namespace skpm
