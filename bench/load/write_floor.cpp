#include "write_floor.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "memory.h"

namespace bench {

void FillFromThreads(unsigned char* block, uint64_t size, unsigned char value, int threads) {
    const uint64_t parts = threads > 1 ? uint64_t(threads) : 1;
    std::vector<std::jthread> workers;  // joined when the vector goes
    workers.reserve(parts - 1);
    auto fill = [=](uint64_t part) {
        const uint64_t begin = size * part / parts, end = size * (part + 1) / parts;
        std::memset(block + begin, value, end - begin);
    };
    for (uint64_t part = 1; part < parts; ++part) workers.emplace_back(fill, part);
    fill(0);
}

Record MeasureWriteFloor(uint64_t bytes, int threads) {
    Record record;
    const auto start = std::chrono::steady_clock::now();
    const std::unique_ptr<unsigned char, decltype(&std::free)> block(
        static_cast<unsigned char*>(std::malloc(bytes > 0 ? bytes : 1)), &std::free);
    if (!block) throw std::bad_alloc();
    FillFromThreads(block.get(), bytes, 0x5a, threads);
    // The stores must happen although nothing reads the block before it is freed.
    asm volatile("" : : "r"(block.get()) : "memory");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    record.Set("floor s", elapsed.count());
    record.Set("peak bytes", double(PeakResidentBytes()));
    return record;
}

}  // namespace bench
