// Out-of-memory sweep over the load of a small textured scene. The first run only counts the
// allocations made after the model is open, on the loading thread and on the other threads (with
// the parallel runtime held to one thread, that is the texture worker alone); then, for each k in
// turn, a fresh reader loads with the k-th of those allocations failing. A failure on the loading
// thread must end in the out-of-memory report or a completed load; one in the texture worker only
// skips that texture. Either way nothing may be left running or held, no exception may reach the
// host, every object the load made through the SketchUp library must have been released, and the
// same reader must load the scene again. The ASan build checks for leaks at exit.
// (Reading the document belongs to the stand-in SketchUp library, whose JSON parser cannot survive
// a failure while it frees its tree, so the sweep starts once the model is open.)
#include <Importing/SceneJson.h>
#include <gtest/gtest.h>
#include <oneapi/tbb/global_control.h>
#include <skpm/document_error.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "failing_allocator.h"
#include "reader_probe.h"

namespace Importing::testing {
namespace {

enum class Target { LoadingThread, OtherThreads };

std::atomic<bool> armed = false;  // set once the model is open, cleared when the load returns
std::atomic<Target> target = Target::LoadingThread;
std::atomic<long> countdown = -1;  // the allocation of `target` that sees 0 fails; -1: none
std::atomic<long> loadingAllocations = 0, otherAllocations = 0;
thread_local bool isLoadingThread = false;

// The allocator's veto: counts the allocations of an armed load and fails the one the countdown
// reaches on the target's threads.
bool FailCountedAllocation(std::size_t) {
    if (!armed.load(std::memory_order_acquire)) return false;
    const Target self = isLoadingThread ? Target::LoadingThread : Target::OtherThreads;
    (isLoadingThread ? loadingAllocations : otherAllocations)++;
    return self == target.load() && countdown.fetch_sub(1) == 0;
}

namespace fs = std::filesystem;
using nlohmann::json;

// Arms the sweep at the first step of the load after the model has been opened.
class ArmingReader : public ReaderProbe {
protected:
    void InitMaterialsByLayerOption() override {
        armed = true;
        ReaderProbe::InitMaterialsByLayerOption();
    }
};

// A PNG, a JPEG, a colourised PNG and a large bitmap, on faces at the root and in a group.
json TexturedDocument() {
    const std::array<int, 4> brown = {120, 80, 40, 255};
    json materials = {TexturedMaterial("Wood", "wood.png", GreyPixels(3, 32), brown),
                      TexturedMaterial("Photo", "C:\\photos\\photo.jpg", GreyPixels(2, 24), brown),
                      TexturedMaterial("Tinted", "tinted.png", GreyPixels(3, 32), brown),
                      TexturedMaterial("Wide", "wide.png", GreyPixels(261, 32), brown),
                      {{"name", "Red"}, {"color", {200, 0, 0, 255}}}};
    materials[2]["type"] = "colorized";
    json faces = json::array();
    for (const char* name : {"Wood", "Photo", "Tinted", "Wide", "Red"})
        faces.push_back(Painted(Square(static_cast<double>(faces.size() + 1)), name));
    json definitions = {Definition("G", "group", {{"faces", {faces[0], faces[4], Square(3, 1)}}})};
    return Document({{"faces", faces}, {"groups", {{{"definition", "G"}}}}}, definitions,
                    materials);
}

// The scene as the host tool writes it, texture paths left out: their numbers go on across the
// loads of one reader.
std::string SceneSummary(const SceneContainer& scene) {
    std::ostringstream text;
    WriteSceneJson(text, scene, SceneJsonInfo{}, true);
    json summary = json::parse(text.str());
    summary["textures"] = summary["textures"].size();
    return summary.dump();
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());  // reports are ASCII
}

using ThreadIds = std::set<std::string>;

ThreadIds ListedThreads() {
    ThreadIds ids;
    for (const auto& entry : fs::directory_iterator("/proc/self/task"))
        ids.insert(entry.path().filename().string());
    return ids;
}

// The threads listed now that were not listed in `before`. A thread that has been joined has ended,
// but the kernel may list it for a moment longer while it reaps it: a thread only counts as left
// behind when it is still listed after a wait that no reaping takes, while one still running is
// listed for ever.
ThreadIds ThreadsLeftSince(const ThreadIds& before) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        ThreadIds extra;
        for (const std::string& id : ListedThreads())
            if (before.count(id) == 0) extra.insert(id);
        if (extra.empty() || std::chrono::steady_clock::now() > deadline) return extra;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string Joined(const ThreadIds& ids) {
    std::string text;
    for (const std::string& id : ids) text += (text.empty() ? "" : " ") + id;
    return text;
}

// The texture files the load wrote into the folder; removes them, leaving the model.
std::size_t TakeTextureFiles(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() != ".skpm") found.push_back(entry.path());
    for (const auto& path : found) fs::remove(path);
    return found.size();
}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        isLoadingThread = true;
        testsupport::SetAllocationVeto(FailCountedAllocation);
        path = Wide(WriteDocument(folder, "m.skpm", TexturedDocument()));
        // The first load also makes the allocations of first use (runtime and library set-up):
        // count until two loads in a row agree.
        long previous = -1;
        for (int attempt = 0; attempt < 3 && loadingTotal != previous; ++attempt) {
            previous = loadingTotal;
            ArmingReader reader;
            SceneContainer scene;
            loadingAllocations = otherAllocations = 0;
            ASSERT_EQ(Load(reader, scene), 0) << Narrow(reader.GetRaport());
            loadingTotal = loadingAllocations;
            workerTotal = otherAllocations;
            baseline = SceneSummary(scene);
            textureCount = TakeTextureFiles(folder.Path());
        }
        ASSERT_EQ(loadingTotal, previous);
        ASSERT_EQ(textureCount, 4u);
        threadsBefore = ListedThreads();
    }

    void TearDown() override { testsupport::SetAllocationVeto(nullptr); }

    int Load(ArmingReader& reader, SceneContainer& scene) {
        int result = -2;
        try {
            result = reader.LoadFromFile(scene, path, u"", false);
        } catch (const std::exception& error) {
            armed = false;
            ADD_FAILURE() << "the load raised " << error.what();
        }
        armed = false;
        return result;
    }

    // Loads with the k-th allocation (from 1) of `where` failing; checks the reader is left as
    // fresh and loads the scene again.
    int LoadFailing(Target where, long k, bool& failed) {
        ArmingReader reader;
        SceneContainer scene;
        const std::size_t liveBefore = SKPMGetLiveObjectCount();
        target = where;
        countdown = k - 1;
        const int result = Load(reader, scene);
        failed = countdown < 0;
        countdown = -1;
        const std::u16string report = reader.GetRaport();
        if (result == 0) {
            EXPECT_EQ(report, u"") << k;
            // The library answers running out of memory as any other error it meets, so a load
            // may complete without what the failing call would have given.
            if (SceneSummary(scene) != baseline) ++partial;
        } else {
            EXPECT_EQ(result, -1) << k;
            EXPECT_EQ(report, u"Error: Out of memory.\n") << k;
        }
        EXPECT_FALSE(reader.materials.IsTextureWorkerRunning()) << k;
        EXPECT_EQ(Joined(ThreadsLeftSince(threadsBefore)), "") << "threads left running, " << k;
        EXPECT_EQ(reader.model.ptr, nullptr) << k;
        EXPECT_FALSE(reader.HoldsWalkRecords()) << k;
        EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore) << "SketchUp objects left, " << k;
        EXPECT_TRUE(reader.faceInfos.empty()) << k;
        EXPECT_TRUE(reader.materials.records.empty()) << k;
        lastWritten = TakeTextureFiles(folder.Path());

        SceneContainer again;
        EXPECT_EQ(Load(reader, again), 0) << k;
        EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore) << k;
        EXPECT_EQ(SceneSummary(again), baseline) << k;
        EXPECT_EQ(TakeTextureFiles(folder.Path()), textureCount) << k;
        return result;
    }

    // Every k up to kExhaustive, then an evenly spaced sample of kSampled more up to `total`.
    static std::vector<long> Points(long total) {
        std::vector<long> points;
        for (long k = 1; k <= std::min(total, kExhaustive); ++k) points.push_back(k);
        const long rest = total - kExhaustive;
        for (long i = 1; rest > 0 && i <= std::min(rest, kSampled); ++i)
            points.push_back(kExhaustive + (rest * i + kSampled - 1) / std::min(rest, kSampled));
        points.erase(std::unique(points.begin(), points.end()), points.end());
        return points;
    }

    static constexpr long kExhaustive = 2000;
    static constexpr long kSampled = 500;

    // The loading thread runs every task of the parallel runtime: the count is the same each load.
    tbb::global_control oneThread{tbb::global_control::max_allowed_parallelism, 1};
    testsupport::SystemTempFolder folder;
    std::u16string path;
    long loadingTotal = 0, workerTotal = 0;
    std::string baseline;
    std::size_t textureCount = 0, lastWritten = 0;
    ThreadIds threadsBefore;
    long partial = 0;  // completed loads whose scene lacks something
};

TEST_F(OutOfMemory, EveryFailingAllocationOfTheLoadIsReportedAndCleanedUp) {
    ASSERT_GT(loadingTotal, 0);
    long swept = 0, outOfMemory = 0;  // allocations made to fail, and loads that ran out
    for (long k : Points(loadingTotal)) {
        bool failed = false;
        outOfMemory += LoadFailing(Target::LoadingThread, k, failed) != 0;
        EXPECT_TRUE(failed) << k;  // the load makes the same allocations every time
        ++swept;
        if (HasFailure()) break;  // one fault reported, not thousands
    }
    bool failed = true;
    EXPECT_EQ(LoadFailing(Target::LoadingThread, loadingTotal + 1, failed), 0);
    EXPECT_FALSE(failed);
    EXPECT_GT(outOfMemory, 0);
    std::printf(
        "loading thread: %ld allocations after open, %ld swept: %ld out of memory, %ld "
        "completed (%ld of them without some data the library could not give)\n",
        loadingTotal, swept, outOfMemory, swept - outOfMemory, partial);
    RecordProperty("allocations", static_cast<int>(loadingTotal));
    RecordProperty("swept", static_cast<int>(swept));
}

TEST_F(OutOfMemory, FailingAllocationInTheTextureWorkerSkipsOnlyThatTexture) {
    ASSERT_GT(workerTotal, 0);
    long swept = 0, lostNone = 0;
    for (long k : Points(workerTotal)) {
        bool failed = false;
        EXPECT_EQ(LoadFailing(Target::OtherThreads, k, failed), 0) << k;
        EXPECT_TRUE(failed) << k;
        EXPECT_GE(lastWritten + 1, textureCount) << k;
        ++swept;
        lostNone += lastWritten == textureCount;
        if (HasFailure()) break;
    }
    bool failed = true;
    EXPECT_EQ(LoadFailing(Target::OtherThreads, workerTotal + 1, failed), 0);
    EXPECT_FALSE(failed);
    EXPECT_EQ(lastWritten, textureCount);
    std::printf("texture worker: %ld allocations, %ld swept, %ld of them lost no texture\n",
                workerTotal, swept, lostNone);
    RecordProperty("allocations", static_cast<int>(workerTotal));
    RecordProperty("swept", static_cast<int>(swept));
}

}  // namespace
}  // namespace Importing::testing
