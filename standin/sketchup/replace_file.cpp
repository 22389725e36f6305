#include "replace_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace skpm {
namespace {

// A planted name only costs another try; this many in a row means someone is claiming them all.
constexpr int kFreshNameAttempts = 16;

// "<folder of path>/SketchUpAPI-<16 hex digits>.tmp": random, so that no one can claim it ahead of
// the write, and independent of the final name, which may already be as long as a name can be.
bool FreshName(const std::string& path, std::string& fresh) {
    uint64_t tag = 0;
    if (::getrandom(&tag, sizeof tag, 0) != static_cast<ssize_t>(sizeof tag)) return false;
    char name[40];
    std::snprintf(name, sizeof name, "SketchUpAPI-%016llx.tmp",
                  static_cast<unsigned long long>(tag));
    fresh = path.substr(0, path.rfind('/') + 1) + name;  // no slash: npos + 1 is 0
    return true;
}

// A descriptor for writing to a file of our own making under a fresh name, -1 when none can be
// made. O_EXCL fails on any existing entry, a link included, rather than open it.
int CreateFresh(const std::string& path, std::string& fresh) {
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        if (!FreshName(path, fresh)) return -1;
        const int fd = ::open(
            fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t size) {
    size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReplaceFileWith(const std::string& path, const uint8_t* bytes, size_t size) {
    std::string fresh;
    const int fd = CreateFresh(path, fresh);
    if (fd < 0) return false;
    bool complete = WriteAll(fd, bytes, size);
    complete = ::close(fd) == 0 && complete;
    complete = complete && ::rename(fresh.c_str(), path.c_str()) == 0;
    if (!complete) ::unlink(fresh.c_str());
    return complete;
}

}  // namespace skpm
