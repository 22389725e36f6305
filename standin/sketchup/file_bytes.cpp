#include "file_bytes.h"

#include <cstring>

#if !defined(_WIN32)  // file_bytes_windows.cpp reads files there
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace skpm {

#if !defined(_WIN32)
namespace {

// Closes the descriptor it holds.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

const char* FileKind(mode_t mode) {
    if (S_ISDIR(mode)) return "is a directory";
    if (S_ISFIFO(mode)) return "is a pipe";
    if (S_ISSOCK(mode)) return "is a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
    return "is not a regular file";
}

}  // namespace

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes,
                     std::string& reason) {
    // O_NONBLOCK: opening a FIFO without a writer must not wait; it is refused below anyway.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = FileKind(info.st_mode);
        return false;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        reason = "larger than " + std::to_string(maxBytes >> 20) + " MiB";
        return false;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0) break;  // the file shrank while being read
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return true;
}
#endif

bool IsSketchUpBinary(const std::string& bytes) {
    // SketchUp files open with FF FE FF 0E and then "SketchUp Model" in UTF-16LE; the first four
    // bytes alone already rule out a JSON text.
    static constexpr unsigned char kMagic[] = {0xFF, 0xFE, 0xFF, 0x0E};
    return bytes.size() >= sizeof kMagic && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
}

}  // namespace skpm
