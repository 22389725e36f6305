// Texture names from a model are only text: whatever they hold, the exported file lands directly
// in the temporary folder, under a name every file system takes; safe names keep their form.
#include <gtest/gtest.h>

#include <fstream>

#include "MaterialText.h"
#include "TextureFileName.h"
#include "file_contents.h"
#include "reader_probe.h"
#include "reliability_support.h"
#include "scene_queries.h"
#include "test_platform.h"

namespace {

namespace fs = std::filesystem;
using Importing::TextureFileStem;
using Importing::ToUtf8;

struct StemCase {
    std::u16string fileName, materialName, stem;
};

TEST(TextureFileStem, KeepsSafeNamesAndNeutralisesTheRest) {
    const StemCase cases[] = {
        {u"wood.png", u"Wood", u"1_wood"},
        {u"Ziegel rot.v2.jpg", u"", u"1_Ziegel rot.v2"},
        {u"\U0001F3E0 Haus.png", u"", u"1_\U0001F3E0 Haus"},
        {u"C:\\Textures\\brick.jpg", u"", u"1_brick"},
        {u"../../x.png", u"", u"1_x"},
        {u"..\\..\\..\\win.ini", u"", u"1_win"},
        {u"/etc/passwd", u"", u"1_passwd"},
        {u"textures/", u"Brick wall!", u"1_Brick wall_"},
        {u".png", u"a\tb\nc", u"1_a_b_c"},
        {u"..", u"M", u"1_."},
        // Material names: letters of every script the plug-in knows stay, and Unicode's white
        // space (the ideographic space too) on every platform.
        {u"", u"\u0421\u0442\u0435\u043A\u043B\u043E \u21165",
         u"1_\u0421\u0442\u0435\u043A\u043B\u043E _5"},
        {u".jpg", u"\u6728\u3000\u6750 Ziegel_\u00D6", u"1_\u6728\u3000\u6750 Ziegel_\u00D6"},
        {u"CON", u"", u"1_CON"},
        {u"NUL.png", u"", u"1_NUL"},
        {std::u16string(u"a\0b\x1b[1m\x7f\x85\x9f.png", 14), u"", u"1_a_b_[1m___"},
        {u"what?<is>:\"this\"|*.jpg", u"", u"1_what__is___this___"},
        {std::u16string(u"x") + char16_t(0xD800) + u"y.png", u"", u"1_x_y"},
        {std::u16string{char16_t(0xDC00), char16_t(0xD800)}, u"", u"1___"},
        {std::u16string(u"a") + char16_t(0xD83C), u"", u"1_a_"},
    };
    for (const StemCase& c : cases) {
        EXPECT_EQ(TextureFileStem(c.fileName, 1, c.materialName), c.stem) << ToUtf8(c.stem);
    }
}

// The stem with its 4-character extension fits in 255 bytes of UTF-8, cut between characters.
TEST(TextureFileStem, LongNamesAreCutToWholeCharactersThatFitAFileName) {
    struct LongCase {
        std::u16string unit;
        size_t kept;  // units of `unit` that fit after "12_"
    };
    const LongCase cases[] = {{u"a", 248}, {u"\u00e9", 124}, {u"\u4e2d", 82}, {u"\U0001F3E0", 62}};
    for (const LongCase& c : cases) {
        std::u16string name;
        for (int i = 0; i < 300; ++i) name += c.unit;
        const std::u16string stem = TextureFileStem(name + u".png", 12, u"");
        std::u16string expected = u"12_";
        for (size_t i = 0; i < c.kept; ++i) expected += c.unit;
        EXPECT_EQ(stem, expected) << ToUtf8(c.unit);
        EXPECT_LE(ToUtf8(stem).size() + 4, 255u);
    }
    EXPECT_EQ(TextureFileStem(u"short.png", 2147483647, u""), u"2147483647_short");
}

// Hostile names from a model loaded by the reader: every texture file is written into the
// temporary folder itself, and nothing anywhere else.
TEST(TextureNames, NothingIsWrittenOutsideTheTemporaryFolder) {
    testsupport::SystemTempFolder folder;
    const fs::path temp = folder.Path() / "a" / "b" / "temp";
    fs::create_directories(temp);
    const std::vector<std::string> names = {
        "wood.png",
        "../../escaped.png",
        "..\\..\\escaped2.png",
        testsupport::Utf8(folder.Path() / "absolute.png"),
        std::string("nul\0byte.png", 12),
        "line\nbreak\x1b[31m.png",
        std::string(600, 'L') + ".png",
        "..",
        "",
        "CON",
        "a/b/c/",
        "\xF0\x9F\x8F\xA0.png",
    };
    // The folder puts the old value back when it goes.
    testsupport::SetEnv(testsupport::kTempFolderVariable, testsupport::Utf8(temp));
    const auto scene = Importing::testing::LoadScene(folder, reliability::TexturedModel(names));

    const std::vector<fs::path> files = reliability::FilesUnder(folder.Path());
    std::vector<fs::path> exported;
    for (const fs::path& file : files) {
        if (file.parent_path() == temp) {
            exported.push_back(file);
        } else {
            EXPECT_EQ(file, folder.Path() / "model.skpm");  // the only file there before
        }
    }
    ASSERT_EQ(exported.size(), names.size());
    ASSERT_EQ(scene->textureLibrary.size(), names.size());
    for (const std::u16string& path : scene->textureLibrary) {
        const fs::path file = testsupport::PathOf(ToUtf8(path));
        EXPECT_EQ(file.parent_path(), temp);
        EXPECT_LE(testsupport::Utf8(file.filename()).size(), 255u);
        EXPECT_EQ(testsupport::ReadBytes(file).substr(0, 4), "\x89PNG") << file;
    }
    // Material i + 1 carries names[i]: a safe name is kept as it was.
    EXPECT_EQ(testsupport::PathOf(ToUtf8(scene->textureLibrary[0])).filename(), "2_wood.png");
    EXPECT_EQ(testsupport::PathOf(ToUtf8(scene->textureLibrary[11])).filename(),
              testsupport::PathOf("13_\xF0\x9F\x8F\xA0.png"));
}

}  // namespace
