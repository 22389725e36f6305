#include <Importing/SceneContainer.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "BitmapWriter.h"
#include "SkpMaterialTable.h"
#include "failing_allocator.h"
#include "file_contents.h"
#include "file_size_limit.h"
#include "test_support.h"

using namespace Importing;
using namespace materials_test;

namespace {

// Refuses blocks of the size of material 3's pixels (301 x 2, 4 bytes each) on threads not
// exempt, so that the test reaches out-of-memory paths on a thread it does not own.
thread_local bool exemptFromFailure = false;

bool RefuseHugePixels(size_t size) {
    return size == 301 * 2 * 4 && !exemptFromFailure;
}

// Material 0 is colourised, 1 a photo, 2 large with alpha: a top-down bitmap written over a
// larger file of that name, which must leave no tail behind. The worker runs out of memory for
// the pixels of material 3 only.
TEST_F(MaterialsTest, WorkerExportsEveryTextureQueuedBeforeItStops) {
    json materials = Textured(24);
    materials[0]["type"] = "colorized";
    materials[1]["texture"] = Texture("photo.jpg", 24, 3, 2);
    materials[2]["texture"] = Texture("big.png", 32, 300, 2);
    materials[3]["texture"] = Texture("huge.png", 32, 301, 2);
    Load(materials);
    std::ofstream(temp / "3_big.bmp") << std::string(3'000'000, 'x');
    SceneContainer scene;
    SkpMaterialTable table;
    table.StopTextureWorker();  // none yet: nothing happens
    table.StartTextureWorker(&scene);
    exemptFromFailure = true;
    testsupport::SetAllocationVeto(RefuseHugePixels);
    for (size_t i = 0; i < 24; ++i) table.AddMaterialToScene(Material(i));
    table.StopTextureWorker();
    table.StopTextureWorker();
    testsupport::SetAllocationVeto(nullptr);
    EXPECT_FALSE(table.IsTextureWorkerRunning());
    EXPECT_EQ(Exported(), 23u);
    EXPECT_FALSE(fs::exists(table.FindMaterial(Material(3))->textureFile));

    const std::vector<uint8_t> plain = TestPixels(2, 2, 32);
    for (size_t i = 4; i < 24; ++i)
        EXPECT_EQ(Decode(table.FindMaterial(Material(i))->textureFile), plain) << i;
    std::vector<uint8_t> tinted = plain;  // a colour without blue takes the blue out
    for (size_t p = 2; p < tinted.size(); p += 4) tinted[p] = 0;
    EXPECT_EQ(Decode(table.FindMaterial(Material(0))->textureFile), tinted);
    EXPECT_EQ(Decode(table.FindMaterial(Material(1))->textureFile).size(), 3 * 2 * 4u);
    const fs::path big(table.FindMaterial(Material(2))->textureFile);
    const std::string bytes = testsupport::ReadBytes(big);
    const std::vector<uint8_t> pixels = TestPixels(300, 2, 32);
    uint32_t fileSize = 0, dataSize = 0;
    ASSERT_EQ(std::tuple(big, bytes.size()), std::tuple(temp / "3_big.bmp", 54 + pixels.size()));
    std::memcpy(&fileSize, &bytes[2], 4);
    std::memcpy(&dataSize, &bytes[34], 4);
    EXPECT_EQ(std::tuple(fileSize, dataSize), std::tuple(bytes.size(), pixels.size()));
    EXPECT_EQ(Decode(big), pixels);  // by an independent decoder: right way up and colours
}

// The worker waits for work between looks at its queue: a texture queued then, right before the
// stop, is still written. Three rounds, each with a worker of its own.
TEST_F(MaterialsTest, TextureQueuedRightBeforeTheStopIsWritten) {
    Load(Textured(3));
    SceneContainer scene;
    SkpMaterialTable table;
    for (size_t i = 0; i < 3; ++i) {
        table.StartTextureWorker(&scene);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // found nothing, waiting
        const SkpMaterialInfo* record = table.AddMaterialToScene(Material(i));
        table.StopTextureWorker();
        EXPECT_TRUE(fs::exists(record->textureFile)) << i;
    }
}

TEST_F(MaterialsTest, CopyHasNoWorkerAndStartingAgainFinishesTheRunningOneFirst) {
    Load(Textured(4));
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.InitModelMaterials(model);
    {
        SkpMaterialTable copy(table);
        EXPECT_FALSE(copy.IsTextureWorkerRunning());
        copy.StopTextureWorker();  // neither this nor its end touches the source's worker
    }
    EXPECT_TRUE(table.IsTextureWorkerRunning());
    for (size_t i = 0; i < 4; ++i) table.AddMaterialToScene(Material(i));
    table.StartTextureWorker(&scene);
    EXPECT_EQ(Exported(), 4u);  // before the records were dropped
    EXPECT_TRUE(table.records.empty());
    EXPECT_TRUE(table.IsTextureWorkerRunning());
}

// A texture whose pixels cannot be had is not exported at all: an empty bitmap left in its place
// would stand for the texture in the scene. Bitmap-sized and small, plain and colourised.
TEST_F(MaterialsTest, TextureWithoutPixelsLeavesNoFile) {
    json materials = Textured(5);
    materials[0]["texture"] = Texture("wide.png", 32, 300, 2);
    materials[0]["texture"]["fail"] = {"SUTextureGetImageRep"};
    materials[1]["texture"] = Texture("tall.png", 32, 2, 257);
    materials[1]["texture"]["fail"] = {"SUTextureGetColorizedImageRep"};
    materials[1]["type"] = "colorized";
    materials[2]["texture"]["fail"] = {"SUTextureGetImageRep"};  // small: a PNG
    materials[3]["texture"] = Texture("photo.jpg", 24);
    materials[3]["texture"]["fail"] = {"SUTextureGetImageRep"};
    Load(materials);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    for (size_t i = 0; i < 5; ++i) table.AddMaterialToScene(Material(i));
    table.StopTextureWorker();
    for (size_t i = 0; i < 4; ++i) {
        const std::u16string& file = table.FindMaterial(Material(i))->textureFile;
        EXPECT_FALSE(file.empty()) << i;
        EXPECT_FALSE(fs::exists(file)) << i;
    }
    EXPECT_EQ(Exported(), 1u);
}

// No folder, a folder of that name, and (on POSIX) a file cut short by a limit on file sizes:
// nothing is left behind, neither under the name nor under the fresh one the bitmap was written to
// first.
TEST_F(MaterialsTest, BitmapThatCannotBeWrittenLeavesNoFile) {
    const std::vector<uint8_t> pixels(4096, 1);
    fs::create_directory(temp / "folder.bmp");
    const auto listing = [&] {
        std::vector<fs::path> entries(fs::recursive_directory_iterator(temp), {});
        std::sort(entries.begin(), entries.end());
        return entries;
    };
    const std::vector<fs::path> before = listing();
    const auto expectNothingLeft = [&](const fs::path& path) {
        const bool written = WriteBitmapFile(path.u16string(), 32, 32, 32, 4096, pixels.data());
        EXPECT_FALSE(written) << path;
        EXPECT_EQ(listing(), before) << path;
    };
    expectNothingLeft(temp / "missing" / "a.bmp");
    expectNothingLeft(temp / "folder.bmp");
#if !defined(_WIN32)  // a limit on file sizes is POSIX's
    {
        const testsupport::FileSizeLimit fullDisk(1000);
        expectNothingLeft(temp / "cut.bmp");
    }
#endif
    EXPECT_TRUE(fs::is_empty(temp / "folder.bmp"));
}

}  // namespace
