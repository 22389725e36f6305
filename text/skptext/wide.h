// Text at the platform's wide calls. The plug-in keeps its text as UTF-16 in std::u16string; the
// wide calls take WCHAR, which is wchar_t on Windows (16 bits there) and char16_t in our
// stand-in's windows.h. Both hold the same UTF-16 code units, so a pointer is passed as it is.
#pragma once

#include <string>
#include <string_view>

namespace skptext {

#if defined(_WIN32)
using WideChar = wchar_t;
#else
using WideChar = char16_t;
#endif
static_assert(sizeof(WideChar) == sizeof(char16_t), "WCHAR holds one UTF-16 code unit");

inline const WideChar* Wide(const char16_t* text) {
    return reinterpret_cast<const WideChar*>(text);
}
inline WideChar* Wide(char16_t* text) {
    return reinterpret_cast<WideChar*>(text);
}
inline const WideChar* Wide(const std::u16string& text) {
    return Wide(text.c_str());
}
inline const char16_t* FromWide(const WideChar* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline std::u16string_view FromWide(const WideChar* text, size_t length) {
    return {FromWide(text), length};
}

}  // namespace skptext
