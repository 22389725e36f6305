#include "text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace skpimport {

std::u16string ToUtf16(const std::string& text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX) throw std::length_error("text too long to convert");
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::u16string out(static_cast<size_t>(needed), u'\0');
    if (needed <= 0 ||
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), needed) != needed)
        throw std::runtime_error("UTF-8 to UTF-16 conversion failed");
    return out;
}

std::string ToUtf8(const std::u16string& text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX) throw std::length_error("text too long to convert");
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(needed), '\0');
    if (needed <= 0 || WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed,
                                           nullptr, nullptr) != needed)
        throw std::runtime_error("UTF-16 to UTF-8 conversion failed");
    return out;
}

}  // namespace skpimport
