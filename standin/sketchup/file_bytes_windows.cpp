// ReadRegularFile through the Windows calls: the UTF-8 path is opened in its wide form, and what
// is not a file on a disk (a folder, a pipe, a console or other device) is refused before a byte
// is read, as the POSIX version refuses it.
#if defined(_WIN32)

#include <skptext/utf.h>
#include <skptext/wide.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "file_bytes.h"

namespace skpm {
namespace {

// Closes the handle it holds.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The reasons the C library gives for the common failures, so that both platforms say the same;
// the system's own text for the rest.
std::string ErrorText(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            return "No such file or directory";
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return "Permission denied";
        case ERROR_FILENAME_EXCED_RANGE:
            return "File name too long";
        case ERROR_PIPE_BUSY:
            return "is a pipe";
        default:
            return "Windows error " + std::to_string(code);
    }
}

// What a handle that is not a regular file on a disk names.
const char* FileKind(HANDLE file) {
    switch (::GetFileType(file)) {
        case FILE_TYPE_PIPE:
            return "is a pipe";
        case FILE_TYPE_CHAR:
            return "is a device";
        case FILE_TYPE_DISK: {
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(file, &info) &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                return "is a directory";
            return nullptr;
        }
        default:
            return "is not a regular file";
    }
}

}  // namespace

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes,
                     std::string& reason) {
    bool replaced = false;
    const std::u16string wide = skptext::ToUtf16(path, &replaced);
    if (replaced || wide.find(u'\0') != std::u16string::npos) {
        reason = "No such file or directory";  // no file has a name that is not text
        return false;
    }
    // Backup semantics let a folder be opened, so that it is named as one; others may go on
    // writing or deleting the file meanwhile, as on POSIX.
    FileHandle file(::CreateFileW(skptext::Wide(wide), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        reason = ErrorText(::GetLastError());
        return false;
    }
    if (const char* kind = FileKind(file.get())) {
        reason = kind;
        return false;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        reason = ErrorText(::GetLastError());
        return false;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        reason = "larger than " + std::to_string(maxBytes >> 20) + " MiB";
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) {
            reason = ErrorText(::GetLastError());
            return false;
        }
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    bytes.resize(done);
    return true;
}

}  // namespace skpm

#endif  // _WIN32
