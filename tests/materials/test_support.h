#pragma once

#include <SketchUpAPI/model/model.h>
#include <gtest/gtest.h>
#include <skpm/document_error.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "temp_folder.h"
#include "test_platform.h"

namespace materials_test {

using nlohmann::json;
namespace fs = std::filesystem;

// Rows top to bottom, R, G, B(, A) per pixel as image files hold them; alpha opaque.
inline std::vector<uint8_t> TestPixels(int width, int height, int bitsPerPixel) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * bitsPerPixel / 8));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = bitsPerPixel == 32 && i % 4 == 3 ? 255 : static_cast<uint8_t>(i * 37 + 11);
    return pixels;
}

// An image file as R, G, B, A through an independent decoder; empty when unreadable.
inline std::vector<uint8_t> Decode(const fs::path& path) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(testsupport::Utf8(path).c_str(), &width, &height, &channels, 4);
    std::vector<uint8_t> rgba(pixels, pixels + (pixels ? width * height * 4 : 0));
    stbi_image_free(pixels);
    return rgba;
}

// Each test runs in the "C" locale's language with a folder of its own, removed afterwards: the
// process's temporary folder (TMPDIR, TMP on Windows) while the test runs, where textures are
// exported, with the model document and its images in `in`. Every test sets the language afresh,
// so none restores it.
class MaterialsTest : public ::testing::Test {
protected:
    MaterialsTest() {
        fs::create_directory(in);
        testsupport::SetEnv("LC_ALL", "C");
    }
    ~MaterialsTest() override { SUModelRelease(&model); }
    // The files in `temp` but `in`.
    size_t Exported() const { return std::distance(fs::directory_iterator(temp), {}) - 1; }

    // A texture whose image is a PNG file of TestPixels.
    json Texture(const std::string& file, int bitsPerPixel, int width = 2, int height = 2) {
        const std::string image = std::to_string(images++) + ".png";
        const std::vector<uint8_t> pixels = TestPixels(width, height, bitsPerPixel);
        EXPECT_TRUE(stbi_write_png(testsupport::Utf8(in / image).c_str(), width, height,
                                   bitsPerPixel / 8, pixels.data(), 0));
        return {{"file", file}, {"image", image}};
    }

    // `count` materials of a yellow colour, each with a small texture of its own.
    json Textured(int count) {
        json materials = json::array();
        for (int i = 0; i < count; ++i) {
            materials.push_back({{"name", "t" + std::to_string(i)},
                                 {"color", {255, 255, 0, 9}},
                                 {"texture", Texture("t.png", 32)}});
        }
        return materials;
    }

    // Opens a model document with these materials and layers in place of the one open before.
    void Load(const json& materials, const json& layers = json::array()) {
        SUModelRelease(&model);
        std::ofstream(in / "model.skpm", std::ios::binary)
            << json{{"modelDocument", 1}, {"materials", materials}, {"layers", layers}};
        const std::string path = testsupport::Utf8(in / "model.skpm");
        if (SUModelCreateFromFile(&model, path.c_str()) != SU_ERROR_NONE)
            throw std::runtime_error(std::string("model refused: ") + SKPMGetLastOpenError());
    }
    SUMaterialRef Material(size_t index) const {
        std::vector<SUMaterialRef> refs(index + 1, SUMaterialRef{});
        size_t count = 0;
        SUModelGetMaterials(model, refs.size(), refs.data(), &count);
        return refs[index];
    }

    const testsupport::SystemTempFolder tempFolder{"materials_"};
    const fs::path temp = tempFolder.Path();
    const fs::path in = temp / "in";
    int images = 0;
    SUModelRef model = SU_INVALID;
};

}  // namespace materials_test
