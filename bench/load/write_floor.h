// The floor under any load that produces a given number of output bytes: allocating them and
// writing every byte once, in fresh memory, as the plug-in's output vectors are.
#pragma once

#include <cstdint>

#include "record.h"

namespace bench {

// Fills `size` bytes at `block` with `value` from `threads` threads, each a contiguous share.
void FillFromThreads(unsigned char* block, uint64_t size, unsigned char value, int threads);

// Values: "floor s" (malloc and the writes), "peak bytes". Throws std::bad_alloc when the block
// cannot be had.
Record MeasureWriteFloor(uint64_t bytes, int threads);

}  // namespace bench
