// The subset of the Windows API the plug-in calls, implemented over POSIX by libwinapi.
// Wide text is UTF-16 (WCHAR is char16_t: wchar_t is 32-bit on this platform).
#pragma once

#include <cstddef>
#include <cstdint>

typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef const WCHAR* LPCWCH;
typedef char CHAR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef const CHAR* LPCCH;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef int BOOL;
typedef BOOL* LPBOOL;
typedef unsigned int UINT;
typedef uint16_t WORD;
typedef uint16_t LANGID;
typedef void* HANDLE;
typedef const void* LPCVOID;
struct _OVERLAPPED;
typedef _OVERLAPPED* LPOVERLAPPED;
struct _SECURITY_ATTRIBUTES;
typedef _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)

#define GENERIC_WRITE 0x40000000
#define GENERIC_READ 0x80000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x80
#define MOVEFILE_REPLACE_EXISTING 0x00000001

#define CP_ACP 0
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080

#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))

// Error codes GetLastError reports (Windows values).
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_TOO_MANY_OPEN_FILES 4
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_NOT_SAME_DEVICE 17
#define ERROR_WRITE_FAULT 29
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_INVALID_NAME 123
#define ERROR_ALREADY_EXISTS 183
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_INVALID_FLAGS 1004
#define ERROR_NO_UNICODE_TRANSLATION 1113
#define ERROR_GEN_FAILURE 31

// 16 bytes, Windows layout.
struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16, "GUID must keep the Windows layout");

inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

extern "C" {

// The temporary folder: $TMPDIR when set and not empty, else "/tmp/", always ending with '/'.
// Returns its length without the NUL when it fits in nBufferLength characters (NUL included),
// otherwise the size it needs INCLUDING the NUL, leaving the buffer untouched; 0 on failure.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);

// A Windows LANGID for the first of LC_ALL, LC_MESSAGES, LANG that is set and not empty;
// 0x0409 (English, US) for C, POSIX, en and every language without a mapping.
LANGID GetSystemDefaultUILanguage(void);

// Opens or creates a regular file (UTF-16 path). Refuses, without blocking, anything that is not
// a regular file. CREATE_NEW fails with ERROR_FILE_EXISTS on any existing name, a link (dangling
// or not) included, and never opens or creates what a link points to. INVALID_HANDLE_VALUE on
// failure, the reason in GetLastError. The handle owns the descriptor until CloseHandle.
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);

// Writes all bytes (partial writes and interruptions retried). *lpNumberOfBytesWritten, when not
// null, receives the bytes written even on failure. lpOverlapped must be null.
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);

BOOL CloseHandle(HANDLE hObject);
BOOL DeleteFileW(LPCWSTR lpFileName);

// Renames a file or folder (rename(2)); dwFlags is 0 or MOVEFILE_REPLACE_EXISTING. Without the
// flag an existing lpNewFileName fails with ERROR_ALREADY_EXISTS. With it, whatever has that name
// is replaced as an entry of its folder: a link is replaced, never followed, and a directory is
// never replaced (ERROR_ACCESS_DENIED). Unlike Windows, which refuses a read-only file, a file
// without write permission is replaced too: POSIX has no read-only attribute, and replacing a
// name is the folder's permission. Across file systems ERROR_NOT_SAME_DEVICE (there is no
// MOVEFILE_COPY_ALLOWED).
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);

// UTF-16 -> UTF-8 (CodePage CP_UTF8 or CP_ACP, which is UTF-8 here; dwFlags 0 or
// WC_ERR_INVALID_CHARS). An unpaired surrogate becomes U+FFFD, or with WC_ERR_INVALID_CHARS fails
// with ERROR_NO_UNICODE_TRANSLATION. cchWideChar -1: NUL-terminated input, the NUL counted and
// written. cbMultiByte 0: returns the size needed. Returns the bytes written, 0 on failure
// (ERROR_INSUFFICIENT_BUFFER when the output does not fit, ERROR_INVALID_PARAMETER otherwise).
// lpDefaultChar and lpUsedDefaultChar must be null for UTF-8, as on Windows.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);

// UTF-8 -> UTF-16, same conventions; each invalid UTF-8 sequence becomes U+FFFD (or fails with
// MB_ERR_INVALID_CHARS).
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);

// The last error of the calling thread.
DWORD GetLastError(void);
void SetLastError(DWORD dwErrCode);

}  // extern "C"
