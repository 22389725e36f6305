// GetTempPathW: $TMPDIR, else /tmp/.

#include <skptext/utf.h>
#include <windows.h>

#include <cstdlib>
#include <string>

extern "C" DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    const char* variable = std::getenv("TMPDIR");
    std::u16string path =
        (variable != nullptr && variable[0] != '\0') ? skptext::ToUtf16(variable) : u"/tmp/";
    if (path.back() != u'/') path += u'/';
    if (path.size() + 1 > static_cast<size_t>(UINT32_MAX)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(path.size());
    if (lpBuffer == nullptr || length + 1 > nBufferLength) return length + 1;
    path.copy(lpBuffer, path.size());
    lpBuffer[length] = u'\0';
    return length;
}
