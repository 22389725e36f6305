#include "MaterialClassification.h"
#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

json Colored(const std::string& name, int alpha = 255) {
    return {{"name", name}, {"color", {10, 20, 30, alpha}}};
}

TEST_F(MaterialsTest, RecordsAreFilledOnceNeverForNullAndNumberedAcrossResets) {
    TestModel model({Colored("A"), Colored("B", 128), {{"name", "NoColor"}}}, models.path,
                    {{{"name", "L0"}, {"material", "A"}}, {{"name", "L1"}}});
    SkpMaterialTable table;
    EXPECT_FALSE(table.InitMaterial(SUMaterialRef{}, SULayerRef{}));
    EXPECT_EQ(table.FindMaterial(model.Material(1)), &table.defaultMaterial);  // never filled
    EXPECT_TRUE(table.records.empty());

    EXPECT_TRUE(table.InitMaterial(model.Material(1), SULayerRef{}));
    EXPECT_TRUE(table.InitLayerMaterial(model.Layer(0)));
    EXPECT_FALSE(table.InitLayerMaterial(model.Layer(1)));  // a layer without material
    EXPECT_FALSE(table.InitMaterial(model.Material(1), model.Layer(0)));
    EXPECT_EQ(table.records.size(), 2u);
    const SkpMaterialInfo* b = table.FindMaterial(model.Material(1));
    EXPECT_EQ(b->index, 1);
    EXPECT_EQ(b->layer.ptr, nullptr);  // the repeated call changed nothing
    EXPECT_EQ(b->color, 0xFF0A141Eu);
    EXPECT_EQ(b->opacity, 128 / 255.0f);
    EXPECT_EQ(table.FindMaterial(model.Material(0))->index, 2);
    EXPECT_EQ(table.FindMaterial(model.Material(0))->layer.ptr, model.Layer(0).ptr);

    for (int load = 1; load <= 2; ++load) {
        table.Reset();
        EXPECT_TRUE(table.records.empty());
        table.InitModelMaterials(model.Ref());
        EXPECT_EQ(table.FindMaterial(model.Material(0))->index, 3 * load);
        EXPECT_EQ(table.FindMaterial(model.Material(2))->index, 3 * load + 2);
    }
    // A colour that cannot be read leaves black with alpha 0.
    EXPECT_EQ(table.FindMaterial(model.Material(2))->color, 0xFF000000u);
    EXPECT_EQ(table.FindMaterial(model.Material(2))->opacity, 0.0f);
    EXPECT_EQ(table.defaultMaterial.name, u"Default material");
    EXPECT_EQ(table.defaultMaterial.color, 0xFFAAAAAAu);
}

TEST_F(MaterialsTest, LeadingStarBecomesTheWordOfTheSystemLanguage) {
    TestModel model({Colored("*5"), Colored("*"), Colored("**x"), Colored("a*b")}, models.path);
    const std::vector<std::pair<const char*, std::u16string>> languages = {
        {"zh_CN.UTF-8", u"材料"}, {"zh_TW", u"材料"},       {"fr_FR.UTF-8", u"Matière"},
        {"it_IT", u"Materiale"},  {"ja_JP", u"マテリアル"}, {"ko_KR", u"재질"},
        {"ru_RU", u"Материал"},   {"de_DE", u"Material"},   {"pt_BR", u"Material"},
        {"C", u"Material"}};
    for (const auto& [locale, word] : languages) {
        ScopedEnv language("LC_ALL", locale);
        SkpMaterialTable table;
        table.InitModelMaterials(model.Ref());
        const std::vector<std::u16string> expected = {word + u"5", word, word + u"*x", u"a*b"};
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(table.FindMaterial(model.Material(i))->name, expected[i]) << locale;
        }
        EXPECT_EQ(table.defaultMaterial.name, u"Default material");
    }
    for (const auto& [id, word] :
         std::vector<std::pair<uint16_t, std::u16string>>{{0x0404, u"材料"},
                                                          {0x0804, u"材料"},
                                                          {0x0411, u"マテリアル"},
                                                          {0x0407, u"Material"},
                                                          {0x0416, u"Material"}}) {
        EXPECT_EQ(NamePrefixForLanguage(id), word) << id;
    }
}

}  // namespace
