#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "PathText.h"
#include "reader_probe.h"
#include "test_platform.h"

namespace Importing::testing {
namespace {

TEST(ReaderLifecycle, FreshReaderIsEmptyAndClearKeepsItSo) {
    ReaderProbe reader;
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_FLOAT_EQ(reader.unitScale, 0.0254f);
    EXPECT_TRUE(reader.doubleSided);
    reader.Clear();
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_EQ(reader.model.ptr, nullptr);
    EXPECT_EQ(reader.defaultLayer.ptr, nullptr);
    EXPECT_FALSE(reader.materialsByLayer);
    EXPECT_TRUE(reader.doubleSided);
    EXPECT_TRUE(reader.layerInfos.empty());
    EXPECT_EQ(reader.layerInfos.bucket_count(), reader.faceInfos.bucket_count());
    EXPECT_TRUE(reader.faceInfos.empty());
    EXPECT_EQ(reader.materials.defaultMaterial.name, u"Default material");
    EXPECT_EQ(reader.materials.defaultMaterial.materialId, -1);
}

TEST(ReaderLifecycle, InitAndReleaseAnswerZero) {
    ReaderProbe reader;
    EXPECT_EQ(reader.Init(), 0);
    EXPECT_EQ(reader.Release(), 0);
}

TEST(PathText, FileBaseNameFollowsWindowsPathRules) {
    EXPECT_EQ(GetFileBaseName(u"C:\\models\\house.skp"), u"house");
    EXPECT_EQ(GetFileBaseName(u"C:/models/house.skp"), u"house");
    EXPECT_EQ(GetFileBaseName(u"a.b.skp"), u"a.b");
    EXPECT_EQ(GetFileBaseName(u"/home/me/dir.v2/model"), u"model");
    EXPECT_EQ(GetFileBaseName(u"\u96ea\U0001F3E0.skpm"), u"\u96ea\U0001F3E0");
}

// The system's temporary folder as the operating system reports it: from TMPDIR over our
// stand-in, from TMP on Windows, where a folder starts with a drive.
class TempFolderEnvironment : public ::testing::Test {
protected:
    void SetUp() override { saved_ = testsupport::GetEnv(testsupport::kTempFolderVariable); }
    void TearDown() override { testsupport::SetEnv(testsupport::kTempFolderVariable, saved_); }
    static void Set(const std::string& folder) {
        testsupport::SetEnv(testsupport::kTempFolderVariable, folder);
    }
#if defined(_WIN32)
    const std::string root_ = "C:\\", separator_ = "\\";
#else
    const std::string root_ = "/", separator_ = "/";
#endif
    std::optional<std::string> saved_;
};

TEST_F(TempFolderEnvironment, TempFolderEndsWithASeparator) {
    const std::string folder = root_ + "var" + separator_ + "tmp" + separator_ + "textures";
    Set(folder);
    EXPECT_EQ(GetTempFolder(), Wide(folder + separator_));
}

TEST_F(TempFolderEnvironment, TempFolderTooLongForTheBufferIsEmpty) {
    // With the separator: 259 characters, which fit with the terminating NUL.
    Set(root_ + std::string(258 - root_.size(), 'x'));
    EXPECT_EQ(GetTempFolder().size(), 259u);
    Set(root_ + std::string(300, 'y'));
    EXPECT_EQ(GetTempFolder(), u"");
}

TEST(PathText, PathToUtf8ConvertsPairsAndRefusesLoneSurrogates) {
    EXPECT_EQ(PathToUtf8(u"/m/\u00e9\U0001F3E0.skpm"), "/m/\xc3\xa9\xf0\x9f\x8f\xa0.skpm");
    EXPECT_THROW(PathToUtf8(std::u16string(u"/m/") + char16_t(0xD800) + u".skpm"),
                 std::range_error);
    EXPECT_THROW(PathToUtf8(std::u16string(1, char16_t(0xDC00))), std::range_error);
}

}  // namespace
}  // namespace Importing::testing
