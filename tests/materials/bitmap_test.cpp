#include <Importing/SceneContainer.h>
#include <stb/stb_image.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "BitmapWriter.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

namespace fs = std::filesystem;

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           uint32_t{bytes[offset + 3]} << 24;
}
uint16_t Read16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

TEST_F(MaterialsTest, LargeAlphaTextureIsWrittenAsTopDownBitmap) {
    json texture = Texture("big.png", 32, 300, 2);  // wider than 256: a bitmap
    TestModel model(ModelDocument({{{"name", "Big"}, {"texture", texture}}}), models.Path());
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.InitModelMaterials(model.Ref());
    const SkpMaterialInfo* record = table.AddMaterialToScene(model.Material(0));
    table.StopTextureWorker();
    ASSERT_EQ(record->imageFormat, kImageBmp);

    const fs::path file(record->textureFile);
    EXPECT_EQ(file.filename(), "1_big.bmp");
    const std::vector<uint8_t> bytes = ReadFile(file);
    const std::vector<uint8_t> pixels = TestPixels(300, 2, 32);
    ASSERT_EQ(bytes.size(), 54 + pixels.size());
    const std::vector<uint32_t> fields = {Read16(bytes, 0),  Read32(bytes, 2),  Read32(bytes, 6),
                                          Read32(bytes, 10), Read32(bytes, 14), Read32(bytes, 18),
                                          Read32(bytes, 22), Read16(bytes, 26), Read16(bytes, 28),
                                          Read32(bytes, 30), Read32(bytes, 34), Read32(bytes, 38),
                                          Read32(bytes, 42), Read32(bytes, 46), Read32(bytes, 50)};
    const uint32_t size = static_cast<uint32_t>(pixels.size());
    EXPECT_EQ(fields,
              (std::vector<uint32_t>{0x4D42, size + 54, 0, 54, 40, 300, static_cast<uint32_t>(-2),
                                     1, 32, 0, size, 0, 0, 0, 0}));
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bytes.begin() + 54));

    // An independent decoder reads it the right way up, in the right colours.
    int width = 0, height = 0, channels = 0;
    stbi_uc* decoded = stbi_load(file.c_str(), &width, &height, &channels, 4);
    ASSERT_NE(decoded, nullptr) << stbi_failure_reason();
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 2);
    size_t mismatches = 0;
    for (size_t p = 0; p < pixels.size(); p += 4) {
        mismatches += decoded[p] != pixels[p + 2] || decoded[p + 1] != pixels[p + 1] ||
                      decoded[p + 2] != pixels[p] || decoded[p + 3] != pixels[p + 3];
    }
    stbi_image_free(decoded);
    EXPECT_EQ(mismatches, 0u);
}

TEST_F(MaterialsTest, BitmapReplacesAnExistingFile) {
    const fs::path file = temp.Path() / "square.bmp";
    std::ofstream(file) << std::string(3'000'000, 'x');
    const std::vector<uint8_t> pixels(512 * 512 * 4, 7);
    ASSERT_TRUE(WriteBitmapFile(file.u16string(), 512, 512, 32, 1'048'576, pixels.data()));
    const std::vector<uint8_t> bytes = ReadFile(file);
    ASSERT_EQ(bytes.size(), 1'048'630u);
    EXPECT_EQ(static_cast<int32_t>(Read32(bytes, 22)), -512);
}

TEST_F(MaterialsTest, BitmapThatCannotBeWrittenLeavesNoFile) {
    const std::vector<uint8_t> pixels(4096, 1);
    const fs::path missing = temp.Path() / "missing" / "a.bmp";
    EXPECT_FALSE(WriteBitmapFile(missing.u16string(), 32, 32, 32, 4096, pixels.data()));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_FALSE(WriteBitmapFile(temp.Path().u16string(), 32, 32, 32, 4096, pixels.data()));
    EXPECT_TRUE(fs::is_directory(temp.Path()));
    EXPECT_FALSE(WriteBitmapFile(u"/dev/full", 32, 32, 32, 4096, pixels.data()));

    // A file that fills up half-way: the process may write no more than 1000 bytes to a file.
    const fs::path cut = temp.Path() / "cut.bmp";
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteBitmapFile(cut.u16string(), 32, 32, 32, 4096, pixels.data());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(fs::exists(cut));
}

}  // namespace
