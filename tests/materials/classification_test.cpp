#include <SketchUpAPI/unicodestring.h>

#include "MaterialText.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

struct Expected {
    json material;
    int32_t surfaceType;
    std::u16string libraryId = u"";
};

json Named(const std::string& name, int alpha, json dictionaries = json::array()) {
    return {{"name", name}, {"color", {1, 2, 3, alpha}}, {"attributes", dictionaries}};
}

json Settings(json values, const std::string& name = "Kaleth Material Settings") {
    return {{"dictionary", name}, {"values", values}};
}

void ExpectClassified(const std::vector<Expected>& cases, const fs::path& folder) {
    json materials = json::array();
    for (const Expected& c : cases) materials.push_back(c.material);
    TestModel model(materials, folder);
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < cases.size(); ++i) {
        const SkpMaterialInfo* record = table.FindMaterial(model.Material(i));
        EXPECT_EQ(record->surfaceType, cases[i].surfaceType) << cases[i].material.dump();
        EXPECT_EQ(record->libraryId, cases[i].libraryId) << cases[i].material.dump();
    }
}

TEST_F(MaterialsTest, NamesDecideWaterFirstAndGlassOnlyWhenSeeThrough) {
    ExpectClassified({{Named("Clear Glass", 128), 2},
                      {Named("Clear Glass 2", 255), 0},
                      {Named("WATER_blue", 255), 1},
                      {Named("Glass of water", 128), 1},
                      {Named("Beautiful stone", 255), 1},
                      {Named("Fiberglas panel", 77), 2},
                      {Named("СТЕКЛО", 128), 0},
                      {Named("тёмное стекло", 128), 2},
                      {Named("玻璃窗", 128), 2},
                      {Named("ガラス", 255), 0},
                      {Named("AGUA fría", 255), 1},
                      {Named("Szkło", 128), 2},
                      {Named("mizuumi", 255), 1},
                      {Named("Brick", 128), 0},
                      {Named("*glass", 0), 2}},
                     models.path);
}

TEST_F(MaterialsTest, SettingsDictionaryGivesLibraryIdOrSurfaceType) {
    const json both = Settings({{"KalethLibraryId", "stone-12"}, {"SurfaceTypeId", 2}});
    json countFails = Named("Glass A", 128, {Settings({{"SurfaceTypeId", 1}})});
    json fetchFails = Named("Glass B", 128, {Settings({{"SurfaceTypeId", 1}})});
    countFails["fail"] = {"SUEntityGetNumAttributeDictionaries"};
    fetchFails["fail"] = {"SUEntityGetAttributeDictionaries"};
    ExpectClassified(
        {{Named("Water both", 255, {both}), 1, u"stone-12"},
         {Named("Plain both", 128, {both}), 0, u"stone-12"},
         {Named("Two see-through", 128, {Settings({{"SurfaceTypeId", 2}})}), 2},
         {Named("Two opaque", 255, {Settings({{"SurfaceTypeId", 2}})}), 0},
         {Named("Glass made water", 128, {Settings({{"SurfaceTypeId", 1}})}), 1},
         {Named("Other value", 255, {Settings({{"SurfaceTypeId", 7}})}), 7},
         {Named("Glass, text type", 128, {Settings({{"SurfaceTypeId", "0"}})}), 2},
         {Named("Id not text", 255, {Settings({{"KalethLibraryId", 5}, {"SurfaceTypeId", 1}})}), 0},
         {Named("Case", 128, {Settings({{"SurfaceTypeId", 1}}, "kaleth material settings")}), 0},
         {Named("Longer", 128, {Settings({{"SurfaceTypeId", 1}}, "Kaleth Material Settings ")}), 0},
         {Named("Two", 128,
                {Settings({{"SurfaceTypeId", 1}}, "Other"), Settings({{"SurfaceTypeId", 7}}),
                 Settings({{"KalethLibraryId", "second"}})}),
          7},
         {countFails, 2},
         {fetchFails, 2}},
        models.path);
}

TEST(MaterialText, ConvertsWholeStringsAndFormatsWide) {
    SUStringRef text = SU_INVALID;
    ASSERT_EQ(SUStringCreateFromUTF8(&text, "Kaleth Material Settings ü"), SU_ERROR_NONE);
    EXPECT_EQ(ToWString(text), u"Kaleth Material Settings ü");
    SUStringRelease(&text);
    EXPECT_EQ(FormatString(u"%d_%s", 12, u"wood"), u"12_wood");
    EXPECT_EQ(ToUtf8(u"é水/x"), "\xC3\xA9\xE6\xB0\xB4/x");
    EXPECT_EQ(ToUtf8(u""), "");
}

}  // namespace
