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

std::string PathToUtf8(const std::u16string& path) {
    if (path.empty()) return {};
    // Strict: a path that is not valid UTF-16 is refused, as the standard conversion refuses it.
    const int length = static_cast<int>(path.size());
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, path.data(), length,
                                         nullptr, 0, nullptr, nullptr);
    if (size == 0) throw std::range_error("wstring_convert::to_bytes");
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, path.data(), length, utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

}  // namespace Importing
