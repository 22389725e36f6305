#include "PathText.h"

#include <crt_wide.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

namespace Importing {

std::u16string GetFileBaseName(const std::u16string& path) {
    std::vector<char16_t> name(path.size() + 1);
    if (_wsplitpath_s(path.c_str(), nullptr, 0, nullptr, 0, name.data(), name.size(), nullptr, 0) !=
        0) {
        return {};
    }
    return name.data();
}

std::u16string GetTempFolder() {
    WCHAR buffer[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return std::u16string(buffer, length);
}

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string PathToUtf8(const std::u16string& path) {
    std::string out;
    out.reserve(path.size() * 3);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (IsHighSurrogate(c) && i + 1 < path.size() && IsLowSurrogate(path[i + 1])) {
            const char32_t pair = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (path[i + 1] - 0xDC00);
            AppendUtf8(out, pair);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            throw std::range_error("wstring_convert::to_bytes");
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

}  // namespace Importing
