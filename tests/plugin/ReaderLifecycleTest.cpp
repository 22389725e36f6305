#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "PathText.h"
#include "ReaderProbe.h"

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

class TempFolderEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* value = std::getenv("TMPDIR")) saved_ = value, had_ = true;
    }
    void TearDown() override {
        if (had_) {
            setenv("TMPDIR", saved_.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    std::string saved_;
    bool had_ = false;
};

TEST_F(TempFolderEnvironment, TempFolderEndsWithASeparator) {
    setenv("TMPDIR", "/var/tmp/textures", 1);
    EXPECT_EQ(GetTempFolder(), u"/var/tmp/textures/");
}

TEST_F(TempFolderEnvironment, TempFolderTooLongForTheBufferIsEmpty) {
    const std::string longest(258, 'x');  // with the separator: 259 characters, which fit
    setenv("TMPDIR", ("/" + longest.substr(1)).c_str(), 1);
    EXPECT_EQ(GetTempFolder().size(), 259u);
    setenv("TMPDIR", ("/" + std::string(300, 'y')).c_str(), 1);
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
