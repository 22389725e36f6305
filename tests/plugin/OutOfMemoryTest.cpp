// Runs loads whose k-th allocation on the loading thread, counted from the moment the model is
// open, fails, for every k until a load gets through: each one either completes or reports
// running out of memory, with nothing left held. (Reading the document belongs to the stand-in
// SketchUp library, whose JSON parser cannot survive a failure while it frees its tree.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "ReaderProbe.h"

namespace {

thread_local long allocationsUntilFailure = -1;  // -1: never fail
thread_local long armedCountdown = -1;           // set on the loading thread once the model is open

void* Allocate(std::size_t size) {
    if (allocationsUntilFailure >= 0 && allocationsUntilFailure-- == 0) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace Importing::testing {
namespace {

using nlohmann::json;

// Arms the failure at the first step of the load after the model has been opened.
class ArmingReader : public ReaderProbe {
protected:
    void InitMaterialsByLayerOption() override {
        allocationsUntilFailure = armedCountdown;
        ReaderProbe::InitMaterialsByLayerOption();
    }
};

TEST(OutOfMemory, EveryFailingAllocationIsReportedAndCleanedUp) {
    TestFolder folder;
    json materials = {
        {{"name", "Wood"},
         {"color", {120, 80, 40, 255}},
         {"texture",
          {{"file", "wood.png"},
           {"pixels",
            {{"width", 1}, {"height", 1}, {"bitsPerPixel", 32}, {"data", "AAAA/w=="}}}}}}};
    json face = Square();
    face["front"] = "Wood";
    json definitions = {
        {{"name", "G"}, {"kind", "group"}, {"entities", {{"faces", {face, Square(3)}}}}}};
    const auto path = folder.Write(
        "m.skpm",
        Document({{"faces", {face}}, {"groups", {{{"definition", "G"}}}}}, definitions, materials));
    const std::u16string widePath = Wide(path.string());

    int outOfMemory = 0, completed = 0;
    for (long k = 0; k < 100000; ++k) {
        ArmingReader reader;
        SceneContainer scene;
        armedCountdown = k;
        const int result = reader.LoadFromFile(scene, widePath, u"", false);
        const bool failureHappened = allocationsUntilFailure < 0;
        allocationsUntilFailure = armedCountdown = -1;

        EXPECT_FALSE(reader.materials.IsTextureWorkerRunning()) << k;
        EXPECT_EQ(reader.model.ptr, nullptr) << k;
        EXPECT_TRUE(reader.materialLeaves.empty()) << k;
        EXPECT_TRUE(reader.faceInfos.empty()) << k;
        if (result == 0) {
            EXPECT_EQ(reader.GetRaport(), u"") << k;
            ++completed;
            if (!failureHappened) break;  // the whole load fits in k allocations
        } else {
            ASSERT_EQ(result, -1) << k;
            const std::u16string report = reader.GetRaport();
            EXPECT_EQ(report, u"Error: Out of memory.\n") << k;
            ++outOfMemory;
        }
    }
    EXPECT_GT(outOfMemory, 0);
    EXPECT_GT(completed, 0);
}

}  // namespace
}  // namespace Importing::testing
