// WideCharToMultiByte and MultiByteToWideChar for UTF-8. CP_ACP is UTF-8 on this platform.

#include <skptext/utf.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool SupportedCodePage(UINT codePage) {
    return codePage == CP_UTF8 || codePage == CP_ACP;
}

// Copies `converted` into the caller's buffer following the measuring / filling convention both
// calls share. Returns the units written (or needed), 0 with the last error set on failure.
template <typename Char>
int Deliver(const std::basic_string<Char>& converted, Char* out, int outSize) {
    if (converted.size() > static_cast<size_t>(INT32_MAX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int needed = static_cast<int>(converted.size());
    if (outSize == 0) return needed;
    if (needed > outSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(converted.begin(), converted.end(), out);
    return needed;
}

}  // namespace

extern "C" int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr,
                                   int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                   LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!SupportedCodePage(CodePage)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    // UTF-8 has no default character: Windows refuses these for it.
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr) || lpDefaultChar != nullptr ||
        lpUsedDefaultChar != nullptr ||
        (lpMultiByteStr != nullptr &&
         static_cast<const void*>(lpMultiByteStr) == static_cast<const void*>(lpWideCharStr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cchWideChar == -1 ? std::char_traits<char16_t>::length(lpWideCharStr) + 1
                                            : static_cast<size_t>(cchWideChar);
    bool replaced = false;
    const std::string converted =
        skptext::ToUtf8(std::u16string_view(lpWideCharStr, length), &replaced);
    if (replaced && (dwFlags & WC_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return Deliver(converted, lpMultiByteStr, cbMultiByte);
}

extern "C" int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr,
                                   int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
    if (!SupportedCodePage(CodePage)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((dwFlags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    bool replaced = false;
    const std::u16string converted =
        skptext::ToUtf16(std::string_view(lpMultiByteStr, length), &replaced);
    if (replaced && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return Deliver(converted, lpWideCharStr, cchWideChar);
}
