// A full disk for the tests of writers that must fail cleanly and leave nothing behind. POSIX
// only: Windows has no limit on the size of the files a process writes.
#pragma once

#if !defined(_WIN32)
#include <cstdint>

namespace testsupport {

// While it lives, a write past `bytes` into any file of this process fails (EFBIG) instead of
// raising SIGXFSZ, which is ignored meanwhile; the limit and the signal's handler are restored
// when it ends. Throws std::system_error when the limit cannot be set.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t oldSoftLimit_ = 0, hardLimit_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace testsupport
#endif
