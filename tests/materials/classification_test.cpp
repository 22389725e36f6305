#include <SketchUpAPI/unicodestring.h>

#include "MaterialClassification.h"
#include "MaterialText.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

struct Expected {
    json material;
    int32_t surfaceType;
    std::u16string libraryId;
};

// Fills a table from the materials of `cases` and checks each record's classification.
void ExpectClassified(const std::vector<Expected>& cases, const std::filesystem::path& folder) {
    json materials = json::array();
    for (const Expected& c : cases) materials.push_back(c.material);
    TestModel model(ModelDocument(materials), folder);
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < cases.size(); ++i) {
        const SkpMaterialInfo* record = table.FindMaterial(model.Material(i));
        EXPECT_EQ(record->surfaceType, cases[i].surfaceType) << cases[i].material.dump();
        EXPECT_EQ(record->libraryId, cases[i].libraryId) << cases[i].material.dump();
    }
}

json Named(const std::string& name, int alpha, json attributes = json::array()) {
    return {{"name", name}, {"color", {1, 2, 3, alpha}}, {"attributes", std::move(attributes)}};
}

json Settings(json values, const std::string& name = "Kaleth Material Settings") {
    return {{"dictionary", name}, {"values", std::move(values)}};
}

TEST_F(MaterialsTest, KeywordsDecideWaterFirstAndGlassOnlyWhenSeeThrough) {
    ExpectClassified({{Named("Clear Glass", 128), 2, u""},
                      {Named("Clear Glass2", 255), 0, u""},
                      {Named("WATER_blue", 255), 1, u""},
                      {Named("Glass of water", 128), 1, u""},
                      {Named("Beautiful stone", 255), 1, u""},
                      {Named("Fiberglas panel", 77), 2, u""},
                      {Named("СТЕКЛО", 128), 0, u""},
                      {Named("тёмное стекло", 128), 2, u""},
                      {Named("玻璃窗", 128), 2, u""},
                      {Named("ガラス", 255), 0, u""},
                      {Named("AGUA fría", 255), 1, u""},
                      {Named("Szkło", 128), 2, u""},
                      {Named("mizuumi", 255), 1, u""},
                      {Named("Brick", 128), 0, u""},
                      {Named("*glass", 0), 2, u""}},
                     models.Path());
}

TEST_F(MaterialsTest, SettingsDictionaryGivesLibraryIdOrSurfaceType) {
    const json both = Settings({{"KalethLibraryId", "stone-12"}, {"SurfaceTypeId", 2}});
    ExpectClassified(
        {{Named("Water both", 255, {both}), 1, u"stone-12"},
         {Named("Plain both", 128, {both}), 0, u"stone-12"},
         {Named("Plain id two", 128, {Settings({{"SurfaceTypeId", 2}})}), 2, u""},
         {Named("Opaque id two", 255, {Settings({{"SurfaceTypeId", 2}})}), 0, u""},
         {Named("Glass made water", 128, {Settings({{"SurfaceTypeId", 1}})}), 1, u""},
         {Named("Other value", 255, {Settings({{"SurfaceTypeId", 7}})}), 7, u""},
         {Named("Glass typed text", 128, {Settings({{"SurfaceTypeId", "0"}})}), 2, u""},
         {Named("Id not text", 255, {Settings({{"KalethLibraryId", 5}, {"SurfaceTypeId", 1}})}), 0,
          u""},
         {Named("Case", 128, {Settings({{"SurfaceTypeId", 1}}, "kaleth material settings")}), 0,
          u""},
         {Named("Longer", 128, {Settings({{"SurfaceTypeId", 1}}, "Kaleth Material Settings ")}), 0,
          u""},
         {Named("Two", 128,
                {Settings({{"SurfaceTypeId", 1}}, "Other"), Settings({{"SurfaceTypeId", 7}}),
                 Settings({{"KalethLibraryId", "second"}})}),
          7, u""}},
        models.Path());
}

TEST_F(MaterialsTest, UnreadableDictionariesKeepTheKeywordResult) {
    json countFails = Named("Glass A", 128, {Settings({{"SurfaceTypeId", 1}})});
    countFails["fail"] = {"SUEntityGetNumAttributeDictionaries"};
    json fetchFails = Named("Glass B", 128, {Settings({{"SurfaceTypeId", 1}})});
    fetchFails["fail"] = {"SUEntityGetAttributeDictionaries"};
    ExpectClassified({{countFails, 2, u""}, {fetchFails, 2, u""}}, models.Path());
}

TEST(MaterialText, ConvertsFormatsAndSanitises) {
    SUStringRef text = SU_INVALID;
    ASSERT_EQ(SUStringCreateFromUTF8(&text, "Kaleth Material Settings ü"), SU_ERROR_NONE);
    EXPECT_EQ(ToWString(text), u"Kaleth Material Settings ü");
    SUStringRelease(&text);

    EXPECT_EQ(FormatString(u"%d_%s", 12, u"wood"), u"12_wood");
    EXPECT_EQ(FormatString(u"%s", u""), u"");
    EXPECT_EQ(SanitizeName(u"Wood/Oak #2\t3"), u"Wood_Oak _2\t3");
    EXPECT_EQ(SanitizeName(u"é木"), u"__");
    EXPECT_EQ(ToUtf8(u"é水/x"), "\xC3\xA9\xE6\xB0\xB4/x");
    EXPECT_EQ(ToUtf8(u""), "");
    EXPECT_TRUE(ContainsKeyword(u"aWaTeR", WaterKeywords()));
    EXPECT_FALSE(ContainsKeyword(u"gla", GlassKeywords()));
}

}  // namespace
