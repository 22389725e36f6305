#include <SketchUpAPI/model/material.h>

#include "MaterialClassification.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

json Colored(const std::string& name, int alpha = 255) {
    return {{"name", name}, {"color", {10, 20, 30, alpha}}};
}

TEST_F(MaterialsTest, RecordsAreFilledOnceAndNeverForNull) {
    TestModel model(ModelDocument({Colored("A"), Colored("B"), {{"name", "NoColor"}}},
                                  {{{"name", "L0"}, {"material", "A"}}, {{"name", "L1"}}}),
                    models.Path());
    SkpMaterialTable table;
    EXPECT_FALSE(table.InitMaterial(SUMaterialRef{}, SULayerRef{}));
    EXPECT_TRUE(table.records.empty());
    EXPECT_EQ(table.FindMaterial(SUMaterialRef{}), &table.defaultMaterial);
    EXPECT_EQ(table.defaultMaterial.name, u"Default material");
    EXPECT_EQ(table.defaultMaterial.color, 0xFFAAAAAAu);

    // Never filled: the default record answers and no record is added.
    EXPECT_EQ(table.FindMaterial(model.Material(1)), &table.defaultMaterial);
    EXPECT_TRUE(table.records.empty());

    EXPECT_TRUE(table.InitMaterial(model.Material(1), SULayerRef{}));
    EXPECT_TRUE(table.InitLayerMaterial(model.Layer(0)));
    EXPECT_FALSE(table.InitLayerMaterial(model.Layer(1)));  // a layer without material
    EXPECT_FALSE(table.InitMaterial(model.Material(1), model.Layer(0)));
    ASSERT_EQ(table.records.size(), 2u);

    const SkpMaterialInfo* b = table.FindMaterial(model.Material(1));
    EXPECT_EQ(b->index, 1);
    EXPECT_EQ(b->name, u"B");
    EXPECT_EQ(b->layer.ptr, nullptr);  // the repeated call changed nothing
    EXPECT_EQ(b->color, 0xFF0A141Eu);
    EXPECT_FLOAT_EQ(b->opacity, 1.0f);
    const SkpMaterialInfo* a = table.FindMaterial(model.Material(0));
    EXPECT_EQ(a->index, 2);
    EXPECT_EQ(a->layer.ptr, model.Layer(0).ptr);

    // A colour that cannot be read leaves black with alpha 0.
    table.InitMaterial(model.Material(2), SULayerRef{});
    EXPECT_EQ(table.FindMaterial(model.Material(2))->color, 0xFF000000u);
    EXPECT_EQ(table.FindMaterial(model.Material(2))->opacity, 0.0f);
}

TEST_F(MaterialsTest, NumberingGoesOnAcrossResets) {
    TestModel model(ModelDocument({Colored("A"), Colored("B", 128)}), models.Path());
    SkpMaterialTable table;
    for (int load = 0; load < 3; ++load) {
        table.Reset();
        EXPECT_TRUE(table.records.empty());
        table.InitModelMaterials(model.Ref());
        EXPECT_EQ(table.FindMaterial(model.Material(0))->index, 2 * load + 1);
        EXPECT_EQ(table.FindMaterial(model.Material(1))->index, 2 * load + 2);
    }
    EXPECT_EQ(table.counter, 6u);
    EXPECT_FLOAT_EQ(table.FindMaterial(model.Material(1))->opacity, 128 / 255.0f);
}

TEST_F(MaterialsTest, LeadingStarBecomesTheLanguagesWord) {
    const std::vector<std::pair<std::string, std::u16string>> names = {
        {"*5", u"Material5"}, {"*", u"Material"}, {"**x", u"Material*x"}, {"a*b", u"a*b"}};
    json materials = json::array();
    for (const auto& [name, expected] : names) materials.push_back(Colored(name));
    TestModel model(ModelDocument(materials), models.Path());
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(table.FindMaterial(model.Material(i))->name, names[i].second) << names[i].first;
    }
}

TEST_F(MaterialsTest, PrefixFollowsTheSystemLanguage) {
    const std::vector<std::pair<const char*, std::u16string>> languages = {
        {"zh_CN.UTF-8", u"材料"},       {"zh_TW", u"材料"},
        {"fr_FR.UTF-8", u"Matière"},    {"it_IT", u"Materiale"},
        {"ja_JP.UTF-8", u"マテリアル"}, {"ko_KR", u"재질"},
        {"ru_RU.UTF-8", u"Материал"},   {"de_DE", u"Material"},
        {"pt_BR", u"Material"},         {"C", u"Material"}};
    TestModel model(ModelDocument({Colored("*1")}), models.Path());
    for (const auto& [locale, word] : languages) {
        ScopedEnv language("LC_ALL", locale);
        SkpMaterialTable table;
        EXPECT_EQ(table.namePrefix, word) << locale;
        table.InitModelMaterials(model.Ref());
        EXPECT_EQ(table.FindMaterial(model.Material(0))->name, word + u"1") << locale;
        EXPECT_EQ(table.defaultMaterial.name, u"Default material") << locale;
    }
    EXPECT_EQ(NamePrefixForLanguage(0x0404), u"材料");
    EXPECT_EQ(NamePrefixForLanguage(0x0804), u"材料");
    EXPECT_EQ(NamePrefixForLanguage(0x0411), u"マテリアル");
    EXPECT_EQ(NamePrefixForLanguage(0x0407), u"Material");
    EXPECT_EQ(NamePrefixForLanguage(0x0416), u"Material");
}

TEST_F(MaterialsTest, CopyTakesRecordsAndSettings) {
    TestModel model(ModelDocument({Colored("A")}), models.Path());
    SkpMaterialTable table;
    table.InitModelMaterials(model.Ref());
    table.defaultMaterial.materialId = 4;
    const SkpMaterialTable copy(table);
    EXPECT_EQ(copy.records.size(), 1u);
    EXPECT_EQ(copy.FindMaterial(model.Material(0))->name, u"A");
    EXPECT_NE(copy.FindMaterial(model.Material(0)), table.FindMaterial(model.Material(0)));
    EXPECT_EQ(copy.counter, 1u);
    EXPECT_EQ(copy.defaultMaterial.materialId, 4);
    EXPECT_EQ(copy.tempFolder, table.tempFolder);
    EXPECT_EQ(copy.namePrefix, table.namePrefix);
}

}  // namespace
