#include <gtest/gtest.h>
#include <load/child.h>
#include <load/write_floor.h>

#include <algorithm>
#include <vector>

namespace bench {
namespace {

// Every byte written once and nothing outside the block, whatever the split: sizes that do not
// divide evenly and more threads than bytes included.
TEST(WriteFloor, ThreadsShareTheWholeBlockExactly) {
    for (const uint64_t size : {0, 1, 5, 4097, 1 << 20}) {
        for (const int threads : {1, 2, 3, 8}) {
            std::vector<unsigned char> memory(size + 2, 0);
            FillFromThreads(memory.data() + 1, size, 0x5a, threads);
            EXPECT_EQ(memory.front(), 0);
            EXPECT_EQ(memory.back(), 0);
            EXPECT_EQ(uint64_t(std::count(memory.begin(), memory.end(), 0x5a)), size)
                << size << " bytes, " << threads << " threads";
        }
    }
}

TEST(WriteFloor, TheWrittenBlockIsResident) {
    constexpr uint64_t kBytes = 64u << 20;
    const Record record = RunInChild([] { return MeasureWriteFloor(kBytes, 2); });
    EXPECT_GE(record.Require("peak bytes"), double(kBytes));
    EXPECT_GT(record.Require("floor s"), 0);
}

}  // namespace
}  // namespace bench
