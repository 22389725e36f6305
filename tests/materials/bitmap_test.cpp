#include <Importing/SceneContainer.h>
#include <stb/stb_image.h>
#include <sys/resource.h>

#include <csignal>

#include "BitmapWriter.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

uint32_t Read(const std::vector<uint8_t>& bytes, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

TEST_F(MaterialsTest, LargeAlphaTextureIsWrittenAsTopDownBitmap) {
    TestModel model({{{"name", "Big"}, {"texture", Texture("big.png", 32, 300, 2)}}}, models.path);
    SceneContainer scene;
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.InitModelMaterials(model.Ref());
    const fs::path file(table.AddMaterialToScene(model.Material(0))->textureFile);
    table.StopTextureWorker();

    EXPECT_EQ(file.filename(), "1_big.bmp");
    const std::vector<uint8_t> bytes = ReadFile(file), pixels = TestPixels(300, 2, 32);
    const uint32_t size = static_cast<uint32_t>(pixels.size());
    ASSERT_EQ(bytes.size(), 54 + size);
    // Offset, width in bytes and value of every header field.
    const std::vector<std::array<uint32_t, 3>> fields = {
        {0, 2, 0x4D42}, {2, 4, size + 54}, {6, 4, 0},  {10, 4, 54}, {14, 4, 40},
        {18, 4, 300},   {22, 4, 0u - 2},   {26, 2, 1}, {28, 2, 32}, {30, 4, 0},
        {34, 4, size},  {38, 4, 0},        {42, 4, 0}, {46, 4, 0},  {50, 4, 0}};
    for (const auto& [offset, width, value] : fields)
        EXPECT_EQ(Read(bytes, offset, width), value) << offset;
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bytes.begin() + 54));

    // An independent decoder reads it the right way up, in the right colours.
    int width = 0, height = 0, channels = 0;
    stbi_uc* decoded = stbi_load(file.c_str(), &width, &height, &channels, 4);
    ASSERT_NE(decoded, nullptr) << stbi_failure_reason();
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(300, 2));
    size_t mismatches = 0;
    for (size_t p = 0; p < pixels.size(); p += 4) {
        mismatches += decoded[p] != pixels[p + 2] || decoded[p + 1] != pixels[p + 1] ||
                      decoded[p + 2] != pixels[p] || decoded[p + 3] != pixels[p + 3];
    }
    stbi_image_free(decoded);
    EXPECT_EQ(mismatches, 0u);
}

TEST_F(MaterialsTest, BitmapReplacesAnExistingFile) {
    const fs::path file = temp.path / "square.bmp";
    std::ofstream(file) << std::string(3'000'000, 'x');
    const std::vector<uint8_t> pixels(512 * 512 * 4, 7);
    ASSERT_TRUE(WriteBitmapFile(file.u16string(), 512, 512, 32, 1'048'576, pixels.data()));
    EXPECT_EQ(fs::file_size(file), 1'048'630u);
    EXPECT_EQ(static_cast<int32_t>(Read(ReadFile(file), 22, 4)), -512);
}

TEST_F(MaterialsTest, BitmapThatCannotBeWrittenLeavesNoFile) {
    const std::vector<uint8_t> pixels(4096, 1);
    const fs::path missing = temp.path / "missing" / "a.bmp";
    EXPECT_FALSE(WriteBitmapFile(missing.u16string(), 32, 32, 32, 4096, pixels.data()));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_FALSE(WriteBitmapFile(temp.path.u16string(), 32, 32, 32, 4096, pixels.data()));
    EXPECT_TRUE(fs::is_directory(temp.path));
    EXPECT_FALSE(WriteBitmapFile(u"/dev/full", 32, 32, 32, 4096, pixels.data()));

    // A file that fills up half-way: the process may write no more than 1000 bytes to a file.
    const fs::path cut = temp.path / "cut.bmp";
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
