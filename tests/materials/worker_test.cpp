#include <Importing/SceneContainer.h>
#include <stb/stb_image.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

namespace fs = std::filesystem;

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// Decodes a file with an independent decoder; an empty image when it cannot.
Image Decode(const std::u16string& path) {
    Image image;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load(fs::path(path).c_str(), &image.width, &image.height, &channels, 4),
        stbi_image_free);
    if (pixels) image.rgba.assign(pixels.get(), pixels.get() + image.width * image.height * 4);
    return image;
}

json Textured(int count, int bitsPerPixel = 32) {
    json materials = json::array();
    for (int i = 0; i < count; ++i) {
        materials.push_back({{"name", "T" + std::to_string(i)},
                             {"texture", Texture("t" + std::to_string(i) + ".png", bitsPerPixel)}});
    }
    return materials;
}

// Makes the scene material of every material of the model, which queues every texture.
void QueueAll(SkpMaterialTable& table, const TestModel& model, size_t count) {
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < count; ++i) table.AddMaterialToScene(model.Material(i));
}

TEST_F(MaterialsTest, StopExportsEverythingQueuedBeforeIt) {
    TestModel model(ModelDocument(Textured(24)), models.Path());
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    EXPECT_TRUE(table.IsTextureWorkerRunning());
    QueueAll(table, model, 24);
    table.StopTextureWorker();
    EXPECT_FALSE(table.IsTextureWorkerRunning());
    for (size_t i = 0; i < 24; ++i) {
        const std::u16string& file = table.FindMaterial(model.Material(i))->textureFile;
        const Image image = Decode(file);
        EXPECT_EQ(image.width, 2) << fs::path(file);
        EXPECT_EQ(image.height, 2) << fs::path(file);
    }
    EXPECT_EQ(temp.FileNames().size(), 24u);
}

TEST_F(MaterialsTest, StoppingWithoutWorkOrTwiceDoesNothing) {
    SceneContainer scene;
    SkpMaterialTable table;
    table.StopTextureWorker();
    table.StartTextureWorker(&scene);
    table.StopTextureWorker();
    table.StopTextureWorker();
    EXPECT_FALSE(table.IsTextureWorkerRunning());
    EXPECT_TRUE(temp.FileNames().empty());
}

TEST_F(MaterialsTest, StartingAgainFinishesTheRunningWorkerFirst) {
    TestModel model(ModelDocument(Textured(3)), models.Path());
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    QueueAll(table, model, 3);
    table.StartTextureWorker(&scene);
    EXPECT_EQ(temp.FileNames().size(), 3u);  // written before the records were dropped
    EXPECT_TRUE(table.records.empty());
    EXPECT_TRUE(table.IsTextureWorkerRunning());
    table.StopTextureWorker();
}

TEST_F(MaterialsTest, CopyStartsWithoutWorkerAndDestructionStopsOne) {
    TestModel model(ModelDocument(Textured(16)), models.Path());
    SceneContainer scene;
    {
        SkpMaterialTable table;
        table.StartTextureWorker(&scene);
        table.InitModelMaterials(model.Ref());
        {
            SkpMaterialTable copy(table);
            EXPECT_FALSE(copy.IsTextureWorkerRunning());
            EXPECT_EQ(copy.scene, &scene);
            EXPECT_EQ(copy.records.size(), 16u);
            copy.StopTextureWorker();  // must not touch the source's worker
        }
        EXPECT_TRUE(table.IsTextureWorkerRunning());
        for (size_t i = 0; i < 16; ++i) table.AddMaterialToScene(model.Material(i));
    }
    EXPECT_EQ(temp.FileNames().size(), 16u);
}

TEST_F(MaterialsTest, ColourisedTexturesAreExportedTinted) {
    json plain = Texture("plain.png", 32);
    json tinted = Texture("tinted.png", 32);
    json jpeg = Texture("photo.jpg", 24, 3, 2);
    TestModel model(
        ModelDocument({{{"name", "Plain"}, {"color", {255, 128, 0, 255}}, {"texture", plain}},
                       {{"name", "Tinted"},
                        {"color", {255, 128, 0, 255}},
                        {"type", "colorized"},
                        {"texture", tinted}},
                       {{"name", "Photo"}, {"texture", jpeg}}}),
        models.Path());
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    QueueAll(table, model, 3);
    table.StopTextureWorker();

    const std::vector<uint8_t> source = TestPixels(2, 2, 32);  // B, G, R, A
    const Image plainImage = Decode(table.FindMaterial(model.Material(0))->textureFile);
    const Image tintedImage = Decode(table.FindMaterial(model.Material(1))->textureFile);
    ASSERT_EQ(plainImage.rgba.size(), source.size());
    ASSERT_EQ(tintedImage.rgba.size(), source.size());
    for (size_t p = 0; p < source.size(); p += 4) {
        const uint8_t blue = source[p], green = source[p + 1], red = source[p + 2];
        EXPECT_EQ(plainImage.rgba[p], red);
        EXPECT_EQ(plainImage.rgba[p + 1], green);
        EXPECT_EQ(plainImage.rgba[p + 2], blue);
        EXPECT_EQ(tintedImage.rgba[p], red);
        EXPECT_EQ(tintedImage.rgba[p + 1], std::lround(green * 128 / 255.0));
        EXPECT_EQ(tintedImage.rgba[p + 2], 0);
        EXPECT_EQ(tintedImage.rgba[p + 3], 255);
    }
    const Image photo = Decode(table.FindMaterial(model.Material(2))->textureFile);
    EXPECT_EQ(photo.width, 3);
    EXPECT_EQ(photo.height, 2);
}

}  // namespace
