#include <SketchUpAPI/model/material.h>

#include "SkpMaterialTable.h"
#include "TestSupport.h"
#include "TextureFileName.h"

using namespace Importing;
using namespace materials_test;

namespace {

std::u16string Wide(const std::filesystem::path& folder) {
    return (folder / "").u16string();
}

// Six plain materials first, so that the seventh, the textured one, gets index 7.
json SeventhIsTextured(const json& texture) {
    json materials = json::array();
    for (int i = 1; i <= 6; ++i) materials.push_back({{"name", "M" + std::to_string(i)}});
    materials.push_back({{"name", "Wood"}, {"texture", texture}});
    return materials;
}

TEST_F(MaterialsTest, FormatFollowsBitsPerPixelAndSize) {
    struct Case {
        int bitsPerPixel, width, height;
        const char16_t* file;
        int32_t format;
    };
    for (const Case& c :
         {Case{24, 2, 2, u"7_wood.jpg", kImageJpeg},
          Case{24, 1024, 1024, u"7_wood.jpg", kImageJpeg},
          Case{32, 512, 512, u"7_wood.bmp", kImageBmp},
          Case{32, 256, 256, u"7_wood.png", kImagePng}, Case{32, 257, 1, u"7_wood.bmp", kImageBmp},
          Case{32, 1, 257, u"7_wood.bmp", kImageBmp}}) {
        json texture = Texture("wood.jpg", c.bitsPerPixel);
        texture["width"] = c.width;
        texture["height"] = c.height;
        texture["sScale"] = 0.25;
        texture["tScale"] = 0.125;
        TestModel model(ModelDocument(SeventhIsTextured(texture)), models.Path());
        SkpMaterialTable table;
        table.InitModelMaterials(model.Ref());
        const SkpMaterialInfo* wood = table.FindMaterial(model.Material(6));
        ASSERT_EQ(wood->index, 7);
        EXPECT_EQ(wood->textureFile, Wide(temp.Path()) + c.file) << c.width << "x" << c.height;
        EXPECT_EQ(wood->imageFormat, c.format);
        EXPECT_EQ(wood->type, SUMaterialType_Textured);
        EXPECT_EQ(wood->sScale, 0.25f);
        EXPECT_EQ(wood->tScale, 0.125f);
    }
}

TEST(TextureFileStem, KeepsOnlyAFileNameOfTheTextureName) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"wood.jpg", u"7_wood"},
        {u"archive.tar.gz", u"7_archive.tar"},
        {u"noext", u"7_noext"},
        {u"C:\\Textures\\brick.jpg", u"7_brick"},
        {u"/home/me/maps/oak.png", u"7_oak"},
        {u"dir.v2/file", u"7_file"},
        {u"a<b>c:d\"e|f?g*h.png", u"7_a_b_c_d_e_f_g_h"},
        {u"tab\there\x01.png", u"7_tab_here_"},
        {u"  spaced  name .png", u"7_  spaced  name "},
        {u"Ünïcode 木.png", u"7_Ünïcode 木"},
        // Nothing usable before the dot: the sanitised material name stands in.
        {u".png", u"7_Wood_Oak _2"},
        {u"", u"7_Wood_Oak _2"},
        {u"C:\\maps\\.jpg", u"7_Wood_Oak _2"},
        {u"maps/", u"7_Wood_Oak _2"},
    };
    for (const auto& [file, stem] : cases) {
        EXPECT_EQ(TextureFileStem(file, 7, u"Wood/Oak #2"), stem);
    }
    EXPECT_EQ(TextureFileStem(u".png", 3, u"é 木\tx"), u"3__ _\tx");
}

TEST_F(MaterialsTest, NameFallbackThroughTheTable) {
    json materials = {{{"name", "M1"}}, {{"name", "M2"}}};
    materials.push_back({{"name", "Wood/Oak #2"}, {"texture", Texture(".png", 24)}});
    TestModel model(ModelDocument(materials), models.Path());
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    EXPECT_EQ(table.FindMaterial(model.Material(2))->textureFile,
              Wide(temp.Path()) + u"3_Wood_Oak _2.jpg");
}

TEST_F(MaterialsTest, TextureWithoutUsableSizeMakesAColourMaterial) {
    json zeroWidth = Texture("a.png", 32);
    zeroWidth["width"] = 0;
    json zeroHeight = Texture("b.png", 32);
    zeroHeight["height"] = 0;
    json failing = Texture("c.png", 32);
    failing["fail"] = {"SUTextureGetDimensions"};
    TestModel model(ModelDocument({{{"name", "A"}, {"texture", zeroWidth}},
                                   {{"name", "B"}, {"texture", zeroHeight}, {"type", "colorized"}},
                                   {{"name", "C"}, {"texture", failing}}}),
                    models.Path());
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < 3; ++i) {
        const SkpMaterialInfo* record = table.FindMaterial(model.Material(i));
        EXPECT_EQ(record->type, SUMaterialType_Colored) << i;
        EXPECT_EQ(record->texture.ptr, nullptr) << i;
        EXPECT_TRUE(record->textureFile.empty()) << i;
        EXPECT_EQ(record->sScale, 1.0f) << i;
    }
}

}  // namespace
