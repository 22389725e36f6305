#include "memory.h"

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace bench {

uint64_t CurrentResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    uint64_t totalPages = 0, residentPages = 0;
    if (!(statm >> totalPages >> residentPages)) return 0;
    return residentPages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

uint64_t PeakResidentBytes() {
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // Linux gives kibibytes
}

}  // namespace bench
