// CreateFileW, WriteFile, CloseHandle, DeleteFileW, MoveFileExW over POSIX descriptors and paths. A
// HANDLE carries the descriptor plus one, so that neither 0 (null) nor -1 (INVALID_HANDLE_VALUE) is
// ever a valid handle.

#include <fcntl.h>
#include <skptext/utf.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "last_error.h"

namespace {

HANDLE HandleFromDescriptor(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd) + 1);
}

// -1 for null, INVALID_HANDLE_VALUE and anything that cannot be a descriptor.
int DescriptorFromHandle(HANDLE handle) {
    const intptr_t value = reinterpret_cast<intptr_t>(handle) - 1;
    return (value < 0 || value > INT32_MAX) ? -1 : static_cast<int>(value);
}

// open(2) flags for a Windows access mask and creation disposition; -1 for an unknown
// disposition.
int OpenFlags(DWORD access, DWORD disposition) {
    int flags = O_CLOEXEC | O_NONBLOCK;
    const bool read = access & GENERIC_READ, write = access & GENERIC_WRITE;
    flags |= (read && write) ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            return flags | O_CREAT | O_EXCL | O_NOFOLLOW;
        case CREATE_ALWAYS:
            return flags | O_CREAT | O_TRUNC;
        case OPEN_EXISTING:
            return flags;
        case OPEN_ALWAYS:
            return flags | O_CREAT;
        case TRUNCATE_EXISTING:
            return flags | O_TRUNC;
        default:
            return -1;
    }
}

// The UTF-8 path, or false with the last error set for a path that names no file.
bool NativePath(LPCWSTR path, std::string& out) {
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (path[0] == u'\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    bool replaced = false;
    out = skptext::ToUtf8(path, &replaced);
    if (replaced) {
        // A substituted U+FFFD would name a different file.
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return true;
}

}  // namespace

extern "C" HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                              LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                              DWORD dwCreationDisposition, DWORD /*dwFlagsAndAttributes*/,
                              HANDLE /*hTemplateFile*/) {
    std::string path;
    if (!NativePath(lpFileName, path)) return INVALID_HANDLE_VALUE;
    const int flags = OpenFlags(dwDesiredAccess, dwCreationDisposition);
    if (flags == -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // O_NONBLOCK keeps a fifo without a peer from blocking the open; anything that is not a
    // regular file is then refused.
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        const int error = errno;
        SetLastError(error == ENOENT && (flags & O_CREAT) ? ERROR_PATH_NOT_FOUND
                                                          : winapi::ErrorFromErrno(error));
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    return HandleFromDescriptor(fd);
}

extern "C" BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                          LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = 0;
    const int fd = DescriptorFromHandle(hFile);
    if (fd < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToWrite != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const char* bytes = static_cast<const char*>(lpBuffer);
    DWORD written = 0;
    while (written < nNumberOfBytesToWrite) {
        const ssize_t n = ::write(fd, bytes + written, nNumberOfBytesToWrite - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            winapi::SetLastErrorFromErrno();
            if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = written;
            return FALSE;
        }
        written += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = written;
    return TRUE;
}

extern "C" BOOL CloseHandle(HANDLE hObject) {
    const int fd = DescriptorFromHandle(hObject);
    if (fd < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Linux releases the descriptor even when close reports EINTR: never retry.
    if (::close(fd) != 0 && errno != EINTR) {
        winapi::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL DeleteFileW(LPCWSTR lpFileName) {
    std::string path;
    if (!NativePath(lpFileName, path)) return FALSE;
    if (::unlink(path.c_str()) != 0) {
        winapi::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
    std::string from, to;
    if (!NativePath(lpExistingFileName, from) || !NativePath(lpNewFileName, to)) return FALSE;
    if ((dwFlags & ~DWORD{MOVEFILE_REPLACE_EXISTING}) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool replace = (dwFlags & MOVEFILE_REPLACE_EXISTING) != 0;
    // rename(2) would put a directory in place of an empty one; Windows replaces no directory.
    struct stat target;
    if (replace && ::lstat(to.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const int moved =
        replace ? ::rename(from.c_str(), to.c_str())
                : ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (moved != 0) {
        SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : winapi::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}
