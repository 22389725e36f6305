#include "SkpMaterialTable.h"
#include "TestSupport.h"
#include "TextureFileName.h"

using namespace Importing;
using namespace materials_test;

namespace {

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
        texture.update({{"width", c.width}, {"height", c.height}, {"sScale", 0.25}, {"tScale", 4}});
        json materials = json::array();
        for (int i = 1; i <= 6; ++i) materials.push_back({{"name", std::to_string(i)}});
        materials.push_back({{"name", "Wood"}, {"texture", texture}});
        TestModel model(materials, models.path);
        SkpMaterialTable table;
        table.InitModelMaterials(model.Ref());
        const SkpMaterialInfo* wood = table.FindMaterial(model.Material(6));
        EXPECT_EQ(wood->textureFile, (temp.path / "").u16string() + c.file) << c.width;
        EXPECT_EQ(wood->imageFormat, c.format);
        EXPECT_EQ(wood->type, SUMaterialType_Textured);
        EXPECT_EQ(wood->sScale, 0.25f);
        EXPECT_EQ(wood->tScale, 4.0f);
    }
}

TEST(TextureFileStem, IsAFileNameInsideTheExportFolder) {
    for (const auto& [file, stem] : std::vector<std::pair<std::u16string, std::u16string>>{
             {u"archive.tar.gz", u"7_archive.tar"},
             {u"noext", u"7_noext"},
             {u"C:\\Textures\\brick.jpg", u"7_brick"},
             {u"/home/me/maps/oak.png", u"7_oak"},
             {u"dir.v2/file", u"7_file"},
             {u"a<b>c:d\"e|f?g*h.png", u"7_a_b_c_d_e_f_g_h"},
             {u"tab\there\x01.png", u"7_tab_here_"},
             {u" Ünïcode 木 #.png", u"7_ Ünïcode 木 #"},
             // Nothing before the dot: the sanitised material name stands in.
             {u".png", u"7_Wood_Oak _2"},
             {u"", u"7_Wood_Oak _2"},
             {u"C:\\maps\\.jpg", u"7_Wood_Oak _2"},
             {u"maps/", u"7_Wood_Oak _2"}}) {
        EXPECT_EQ(TextureFileStem(file, 7, u"Wood/Oak #2"), stem);
    }
    EXPECT_EQ(TextureFileStem(u".png", 3, u"é 木\tx"), u"3__ _\tx");
}

TEST_F(MaterialsTest, TexturesWithoutUsableSizeOrNameFallBack) {
    json zeroWidth = Texture("a.png", 32), zeroHeight = Texture("b.png", 32);
    json failing = Texture("c.png", 32);
    zeroWidth["width"] = 0;
    zeroHeight["height"] = 0;
    failing["fail"] = {"SUTextureGetDimensions"};
    TestModel model({{{"name", "A"}, {"texture", zeroWidth}},
                     {{"name", "B"}, {"texture", zeroHeight}, {"type", "colorized"}},
                     {{"name", "Wood/Oak #2"}, {"texture", Texture(".png", 24)}},
                     {{"name", "C"}, {"texture", failing}}},
                    models.path);
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    EXPECT_EQ(table.FindMaterial(model.Material(2))->textureFile,
              (temp.path / "3_Wood_Oak _2.jpg").u16string());
    for (size_t i : {0, 1, 3}) {
        const SkpMaterialInfo* record = table.FindMaterial(model.Material(i));
        EXPECT_EQ(record->type, SUMaterialType_Colored) << i;
        EXPECT_EQ(record->texture.ptr, nullptr) << i;
        EXPECT_TRUE(record->textureFile.empty()) << i;
        EXPECT_EQ(record->sScale, 1.0f) << i;
    }
}

}  // namespace
