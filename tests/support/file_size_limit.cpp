#include "file_size_limit.h"

#if !defined(_WIN32)
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace testsupport {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        throw std::system_error(errno, std::generic_category(), "getrlimit");
    oldSoftLimit_ = old.rlim_cur;
    hardLimit_ = old.rlim_max;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{static_cast<rlim_t>(bytes), old.rlim_max};
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        const int error = errno;
        std::signal(SIGXFSZ, oldHandler_);
        throw std::system_error(error, std::generic_category(), "setrlimit");
    }
}

FileSizeLimit::~FileSizeLimit() {
    const rlimit old{static_cast<rlim_t>(oldSoftLimit_), static_cast<rlim_t>(hardLimit_)};
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace testsupport
#endif
