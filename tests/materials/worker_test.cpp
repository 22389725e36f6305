#include <Importing/SceneContainer.h>
#include <stb/stb_image.h>

#include <atomic>
#include <cmath>
#include <cstdint>

#include "SkpMaterialTable.h"
#include "TestSupport.h"

namespace materials_test {
extern std::atomic<size_t> failingSize;  // see failing_allocation.cpp
extern thread_local bool exemptFromFailure;
}  // namespace materials_test

using namespace Importing;
using namespace materials_test;

namespace {

// The pixels of an image file as RGBA, through an independent decoder; empty when unreadable.
std::vector<uint8_t> Decode(const std::u16string& path, int* width = nullptr) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load(fs::path(path).c_str(), &w, &h, &channels, 4);
    std::vector<uint8_t> rgba(pixels, pixels + (pixels ? w * h * 4 : 0));
    stbi_image_free(pixels);
    if (width) *width = w;
    return rgba;
}

json Textured(int count) {
    json materials = json::array();
    for (int i = 0; i < count; ++i) {
        const std::string name = "t" + std::to_string(i);
        materials.push_back({{"name", name}, {"texture", Texture(name + ".png", 32)}});
    }
    return materials;
}

// Makes the scene material of every material of the model, which queues every texture.
void QueueAll(SkpMaterialTable& table, const TestModel& model, size_t count) {
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < count; ++i) table.AddMaterialToScene(model.Material(i));
}

TEST_F(MaterialsTest, StopExportsEverythingQueuedBeforeIt) {
    TestModel model(Textured(24), models.path);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StopTextureWorker();  // none yet: nothing happens
    table.StartTextureWorker(&scene);
    EXPECT_TRUE(table.IsTextureWorkerRunning());
    QueueAll(table, model, 24);
    table.StopTextureWorker();
    table.StopTextureWorker();
    EXPECT_FALSE(table.IsTextureWorkerRunning());
    for (size_t i = 0; i < 24; ++i) {
        EXPECT_EQ(Decode(table.FindMaterial(model.Material(i))->textureFile).size(), 16u) << i;
    }
    EXPECT_EQ(temp.Count(), 24u);

    table.StartTextureWorker(&scene);  // a load with nothing to export
    table.StopTextureWorker();
    EXPECT_EQ(temp.Count(), 24u);
}

TEST_F(MaterialsTest, StartingAgainFinishesTheRunningWorkerFirst) {
    TestModel model(Textured(3), models.path);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    QueueAll(table, model, 3);
    table.StartTextureWorker(&scene);
    EXPECT_EQ(temp.Count(), 3u);  // written before the records were dropped
    EXPECT_TRUE(table.records.empty());
    EXPECT_TRUE(table.IsTextureWorkerRunning());
}

TEST_F(MaterialsTest, CopyStartsWithoutWorkerAndDestructionStopsOne) {
    TestModel model(Textured(16), models.path);
    SceneContainer scene;
    {
        SkpMaterialTable table;
        table.StartTextureWorker(&scene);
        table.InitModelMaterials(model.Ref());
        table.defaultMaterial.materialId = 4;
        {
            SkpMaterialTable copy(table);
            EXPECT_FALSE(copy.IsTextureWorkerRunning());
            EXPECT_EQ(copy.scene, &scene);
            EXPECT_EQ(copy.records.size(), 16u);
            EXPECT_NE(copy.FindMaterial(model.Material(0)), table.FindMaterial(model.Material(0)));
            EXPECT_EQ(copy.FindMaterial(model.Material(0))->name, u"t0");
            EXPECT_EQ(std::tie(copy.counter, copy.defaultMaterial.materialId, copy.tempFolder),
                      std::tie(table.counter, table.defaultMaterial.materialId, table.tempFolder));
            copy.StopTextureWorker();  // must not touch the source's worker
        }
        EXPECT_TRUE(table.IsTextureWorkerRunning());
        for (size_t i = 0; i < 16; ++i) table.AddMaterialToScene(model.Material(i));
    }
    EXPECT_EQ(temp.Count(), 16u);
}

TEST_F(MaterialsTest, ColourisedTexturesAreExportedTinted) {
    TestModel model(
        {{{"name", "Plain"}, {"color", {255, 128, 0, 9}}, {"texture", Texture("p.png", 32)}},
         {{"name", "Tinted"},
          {"color", {255, 128, 0, 9}},
          {"type", "colorized"},
          {"texture", Texture("t.png", 32)}},
         {{"name", "Photo"}, {"texture", Texture("photo.jpg", 24, 3, 2)}}},
        models.path);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    QueueAll(table, model, 3);
    table.StopTextureWorker();

    const std::vector<uint8_t> source = TestPixels(2, 2, 32);  // B, G, R, A
    const std::vector<uint8_t> plain = Decode(table.FindMaterial(model.Material(0))->textureFile);
    const std::vector<uint8_t> tinted = Decode(table.FindMaterial(model.Material(1))->textureFile);
    ASSERT_EQ(plain.size(), source.size());
    ASSERT_EQ(tinted.size(), source.size());
    for (size_t p = 0; p < source.size(); p += 4) {
        EXPECT_EQ(std::vector<uint8_t>(plain.begin() + p, plain.begin() + p + 4),
                  (std::vector<uint8_t>{source[p + 2], source[p + 1], source[p], 255}));
        EXPECT_EQ(std::vector<uint8_t>(tinted.begin() + p, tinted.begin() + p + 4),
                  (std::vector<uint8_t>{
                      source[p + 2], static_cast<uint8_t>(std::lround(source[p + 1] * 128 / 255.0)),
                      0, 255}));
    }
    int width = 0;
    EXPECT_EQ(Decode(table.FindMaterial(model.Material(2))->textureFile, &width).size(), 24u);
    EXPECT_EQ(width, 3);
}

TEST_F(MaterialsTest, WorkerOutOfMemorySkipsOnlyThatTexture) {
    TestModel model({{{"name", "Big"}, {"texture", Texture("big.png", 32, 300, 2)}},
                     {{"name", "Small"}, {"texture", Texture("small.png", 32)}}},
                    models.path);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.InitModelMaterials(model.Ref());
    exemptFromFailure = true;
    failingSize = 300 * 2 * 4;  // the big texture's pixels, on the worker
    table.AddMaterialToScene(model.Material(0));
    table.AddMaterialToScene(model.Material(1));
    table.StopTextureWorker();
    failingSize = SIZE_MAX;
    exemptFromFailure = false;
    EXPECT_FALSE(fs::exists(fs::path(table.FindMaterial(model.Material(0))->textureFile)));
    EXPECT_EQ(Decode(table.FindMaterial(model.Material(1))->textureFile).size(), 16u);
}

}  // namespace
