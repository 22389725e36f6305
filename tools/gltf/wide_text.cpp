#include "wide_text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace gltf {

std::string Utf8Name(const std::u16string& text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX) throw std::length_error("name too long to convert");
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(needed > 0 ? static_cast<size_t>(needed) : 0, '\0');
    if (needed <= 0 || WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed,
                                           nullptr, nullptr) != needed)
        throw std::runtime_error("UTF-16 to UTF-8 conversion of a name failed");
    return out;
}

}  // namespace gltf
