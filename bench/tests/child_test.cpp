#include <gtest/gtest.h>
#include <load/child.h>
#include <load/memory.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace bench {
namespace {

std::string FailureOf(const std::function<Record()>& measure) {
    try {
        RunInChild(measure);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no failure";
}

TEST(RunInChild, EveryWayAChildEndsBadlyIsAnError) {
    const std::pair<std::function<Record()>, const char*> endings[] = {
        {[]() -> Record { throw std::runtime_error("cannot open x.skpm"); },
         "failed: cannot open x.skpm"},
        {[]() -> Record { std::abort(); }, "signal 6"},
        {[]() -> Record { ::_exit(0); }, "without a result"},
        {[]() -> Record { ::_exit(9); }, "status 9"}};
    for (const auto& [measure, message] : endings)
        EXPECT_NE(FailureOf(measure).find(message), std::string::npos) << message;
}

// The record the child measured comes back to the parent, whose own peak the child's block does
// not raise.
TEST(RunInChild, PeakMemoryIsTheChildsOwn) {
    constexpr size_t kBytes = 96u << 20;
    const uint64_t parentPeak = PeakResidentBytes();
    const Record record = RunInChild([] {
        const std::unique_ptr<char, decltype(&std::free)> block(
            static_cast<char*>(std::malloc(kBytes)), &std::free);
        std::memset(block.get(), 1, kBytes);
        asm volatile("" : : "r"(block.get()) : "memory");
        Record r;
        r.Set("peak bytes", double(PeakResidentBytes()));
        return r;
    });
    EXPECT_GE(record.Require("peak bytes"), double(kBytes));
    EXPECT_LT(PeakResidentBytes(), parentPeak + kBytes / 2);
}

}  // namespace
}  // namespace bench
