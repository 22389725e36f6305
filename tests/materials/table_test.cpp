#include "SkpMaterialTable.h"
#include "test_support.h"

using namespace Importing;
using namespace materials_test;

namespace {

json Colored(const std::string& name, int alpha = 255, json dictionaries = json::array()) {
    return {{"name", name}, {"color", {10, 20, 30, alpha}}, {"attributes", dictionaries}};
}

TEST_F(MaterialsTest, RecordsAreFilledOnceNeverForNullAndNumberedAcrossResets) {
    Load({Colored("A"), Colored("B", 128), {{"name", "NoColor"}}},
         {{{"name", "L0"}, {"material", "A"}}, {{"name", "L1"}}});
    SULayerRef layers[2] = {};
    size_t count = 0;
    SUModelGetLayers(model, 2, layers, &count);
    SkpMaterialTable table;
    EXPECT_FALSE(table.InitMaterial(SUMaterialRef{}, SULayerRef{}));
    EXPECT_EQ(table.FindMaterial(Material(1)), &table.defaultMaterial);  // never filled
    EXPECT_TRUE(table.InitMaterial(Material(1), SULayerRef{}));
    EXPECT_TRUE(table.InitLayerMaterial(layers[0]));
    EXPECT_FALSE(table.InitLayerMaterial(layers[1]));          // a layer without material
    EXPECT_FALSE(table.InitMaterial(Material(1), layers[0]));  // filled already: kept as it is
    EXPECT_EQ(table.records.size(), 2u);
    const SkpMaterialInfo *a = table.FindMaterial(Material(0)),
                          *b = table.FindMaterial(Material(1));
    EXPECT_EQ(std::tuple(a->index, a->layer.ptr, b->index, b->layer.ptr, b->color, b->opacity),
              std::tuple(2, layers[0].ptr, 1, nullptr, 0xFF0A141Eu, 128 / 255.0f));
    table.Reset();
    table.InitModelMaterials(model);
    const SkpMaterialInfo* noColor = table.FindMaterial(Material(2));  // black, alpha 0
    EXPECT_EQ(std::tuple(table.FindMaterial(Material(0))->index, noColor->index, noColor->color,
                         noColor->opacity),
              std::tuple(3, 5, 0xFF000000u, 0.0f));
}

#if !defined(_WIN32)  // LC_ALL sets the language only for our stand-in; Windows has its own
TEST_F(MaterialsTest, LeadingStarBecomesTheWordOfTheSystemLanguage) {
    Load({Colored("*5"), Colored("*"), Colored("**x"), Colored("a*b")});
    const std::vector<std::pair<const char*, std::u16string>> languages = {
        {"zh_CN.UTF-8", u"材料"}, {"zh_TW", u"材料"},       {"fr_FR.UTF-8", u"Matière"},
        {"it_IT", u"Materiale"},  {"ja_JP", u"マテリアル"}, {"ko_KR", u"재질"},
        {"ru_RU", u"Материал"},   {"de_DE", u"Material"},   {"C", u"Material"}};
    for (const auto& [locale, word] : languages) {
        testsupport::SetEnv("LC_ALL", locale);
        SkpMaterialTable table;
        table.InitModelMaterials(model);
        const std::u16string expected[] = {word + u"5", word, word + u"*x", u"a*b"};
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(table.FindMaterial(Material(i))->name, expected[i]) << locale;
        EXPECT_EQ(table.defaultMaterial.name, u"Default material");
    }
}
#endif

// A settings dictionary, `name`d so, with the values that are not null.
json Settings(json type, json id = nullptr, const char* name = "Kaleth Material Settings") {
    json values = json::object();
    if (!type.is_null()) values["SurfaceTypeId"] = type;
    if (!id.is_null()) values["KalethLibraryId"] = id;
    return {{"dictionary", name}, {"values", values}};
}

struct Classified {
    const char* name;
    int alpha;
    int32_t surfaceType;
    json dictionaries = json::array();
    std::u16string libraryId = u"";
    const char* fail = nullptr;
};

// Names decide water first, then glass when see-through; the first dictionary of the exact name
// gives a library id or else a surface type; an opaque material is never glass.
TEST_F(MaterialsTest, NamesAndSettingsDecideSurfaceTypeAndLibraryId) {
    // Letter case aside in every language of the keywords: the upper-case Cyrillic, Polish and
    // Portuguese words match as the lower-case ones do.
    const std::vector<Classified> byName = {
        {"Clear Glass", 128, 2},    {"Clear Glass 2", 255, 0},   {"WATER_blue", 255, 1},
        {"Glass of water", 128, 1}, {"Beautiful stone", 255, 1}, {"Fiberglas panel", 77, 2},
        {"СТЕКЛО", 128, 2},         {"тёмное стекло", 128, 2},   {"玻璃窗", 128, 2},
        {"ガラス", 255, 0},         {"AGUA fría", 255, 1},       {"Szkło", 128, 2},
        {"mizuumi", 255, 1},        {"Brick", 128, 0},           {"*glass", 0, 2},
        {"ВОДА", 255, 1},           {"SZKŁO", 128, 2},           {"ÁGUA", 255, 1}};
    const std::vector<Classified> bySettings = {
        {"Water, both", 128, 1, {Settings(2, "stone-12")}, u"stone-12"},
        {"Id not text", 255, 0, {Settings(1, 5)}},
        {"See-through", 128, 2, {Settings(2)}},
        {"Opaque", 255, 0, {Settings(2)}},
        {"Glass made water", 128, 1, {Settings(1)}},
        {"Other value", 255, 7, {Settings(7)}},
        {"Glass, text type", 128, 2, {Settings("0")}},
        {"Case", 128, 0, {Settings(1, nullptr, "kaleth material settings")}},
        {"Longer", 128, 0, {Settings(1, nullptr, "Kaleth Material Settings ")}},
        {"First", 128, 7, {Settings(1, nullptr, "Other"), Settings(7), Settings(nullptr, "x")}},
        {"Glass A", 128, 2, {Settings(1)}, u"", "SUEntityGetNumAttributeDictionaries"},
        {"Glass B", 128, 2, {Settings(1)}, u"", "SUEntityGetAttributeDictionaries"}};
    for (const auto& cases : {byName, bySettings}) {
        for (const Classified& c : cases) {
            json material = Colored(c.name, c.alpha, c.dictionaries);
            if (c.fail) material["fail"] = {c.fail};
            Load(json::array({material}));
            SkpMaterialTable table;
            table.InitModelMaterials(model);
            const SkpMaterialInfo* record = table.FindMaterial(Material(0));
            EXPECT_EQ(std::tie(record->surfaceType, record->libraryId),
                      std::tie(c.surfaceType, c.libraryId))
                << c.name;
        }
    }
}

// The texture of the seventh material, named "Wood/Oak #2": "<index>_<base name>" in the export
// folder, with an extension by format; the material name stands in for an empty base name. A
// texture without a usable size leaves a coloured material.
TEST_F(MaterialsTest, TextureFileNameAndFormatFollowNameBitsPerPixelAndSize) {
    using Case = std::tuple<const char*, const char16_t*, int32_t, int, int, int>;
    const std::vector<Case> cases = {
        {"wood.jpg", u"7_wood.jpg", kImageJpeg, 24, 1024, 1024},
        {"archive.tar.gz", u"7_archive.tar.bmp", kImageBmp, 32, 512, 512},
        {"noext", u"7_noext.png", kImagePng, 32, 256, 256},
        {"C:\\Textures\\brick.png", u"7_brick.bmp", kImageBmp, 32, 257, 1},
        {"dir.v2/file", u"7_file.bmp", kImageBmp, 32, 1, 257},
        {" Ü木 a<b>c:d\"e|f?g*h\t\x01.png", u"7_ Ü木 a_b_c_d_e_f_g_h__.jpg", kImageJpeg, 24, 2, 2},
        {".png", u"7_Wood_Oak _2.png", kImagePng, 32, 2, 2},
        {"maps/", u"7_Wood_Oak _2.jpg", kImageJpeg, 24, 2, 2},
        {"wood.jpg", u"", kImageBmp, 32, 0, 2},  // no usable size: no texture
        {"wood.jpg", u"", kImageBmp, 32, 2, 0}};
    for (const auto& [file, expected, format, bitsPerPixel, width, height] : cases) {
        json texture = Texture(file, bitsPerPixel);
        texture.update({{"width", width}, {"height", height}, {"sScale", 0.25}, {"tScale", 4}});
        Load({{{"name", "Wood/Oak #2"}, {"type", "colorized"}, {"texture", texture}}});
        SkpMaterialTable table;
        table.counter = 6;
        table.InitModelMaterials(model);
        const SkpMaterialInfo* wood = table.FindMaterial(Material(0));
        const bool usable = *expected != 0;
        EXPECT_EQ(std::tuple(wood->textureFile, wood->imageFormat, wood->type, wood->sScale,
                             wood->tScale, SUIsValid(wood->texture)),
                  std::tuple(usable ? (temp / "").u16string() + expected : u"", format,
                             usable ? SUMaterialType_ColorizedTexture : SUMaterialType_Colored,
                             usable ? 0.25f : 1.0f, usable ? 4.0f : 1.0f, usable))
            << file;
    }
}

}  // namespace
