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

TEST(RunInChild, RecordComesBackFromAnotherProcess) {
    const Record record = RunInChild([] {
        Record r;
        r.Set("pid", double(::getpid()));
        r.trianglesByMaterial["M0"] = 7;
        return r;
    });
    EXPECT_NE(record.Require("pid"), double(::getpid()));
    EXPECT_EQ(record.trianglesByMaterial.at("M0"), 7u);
}

TEST(RunInChild, EveryWayAChildEndsBadlyIsAnError) {
    EXPECT_NE(FailureOf([]() -> Record {
                  throw std::runtime_error("cannot open x.skpm");
              }).find("failed: cannot open x.skpm"),
              std::string::npos);
    EXPECT_NE(FailureOf([]() -> Record { std::abort(); }).find("signal 6"), std::string::npos);
    EXPECT_NE(FailureOf([]() -> Record { ::_exit(0); }).find("without a result"),
              std::string::npos);
    EXPECT_NE(FailureOf([]() -> Record { ::_exit(9); }).find("status 9"), std::string::npos);
}

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
