// The process's resident memory, in bytes.
#pragma once

#include <cstdint>

namespace bench {

// Resident now, from /proc/self/statm; 0 when it cannot be read.
uint64_t CurrentResidentBytes();
// The most this process has held resident so far (getrusage's ru_maxrss).
uint64_t PeakResidentBytes();

}  // namespace bench
