#include <Importing/SceneContainer.h>

#include "SkpMaterialTable.h"
#include "TestSupport.h"

using namespace Importing;
using namespace materials_test;

namespace {

constexpr float k = 0.003921569f;
using Maps = std::vector<std::pair<std::u16string, int>>;

// A scene with two nodes and room reserved, as the load prepares it.
struct PreparedScene : SceneContainer {
    explicit PreparedScene(size_t keys) {
        nodes.resize(2);
        geometryLibrary.reserve(keys);
        surfaces.reserve(keys);
    }
};

TEST_F(MaterialsTest, FacesWithoutMaterialGetTheGreyDefaultInEveryLoad) {
    SkpMaterialTable table;
    for (int load = 0; load < 2; ++load) {
        PreparedScene scene(1);
        table.StartTextureWorker(&scene);
        EXPECT_EQ(table.defaultMaterial.materialId, -1);
        table.CreateMaterialSurfaces({nullptr}, 1);
        table.StopTextureWorker();

        ASSERT_EQ(scene.sceneMaterials.size(), 1u);
        const Material& grey = scene.sceneMaterials[0];
        EXPECT_EQ(grey.GetName(), u"Default material");
        EXPECT_EQ(grey.GetEmissive(), D3DXCOLOR(170 * k, 170 * k, 170 * k, 1.0f));
        EXPECT_EQ(grey.GetDiffuse(), grey.GetEmissive());
        EXPECT_EQ(
            std::make_tuple(grey.GetOpacity(), grey.GetSpecularPower(), grey.GetSurfaceType()),
            std::make_tuple(1.0f, 1.0f, SURFACE_ORDINARY));
        ASSERT_EQ(scene.surfaces.size(), 1u);
        EXPECT_EQ(scene.surfaces[0].GetMaps(), (Maps{{u"DIFFUSE", -1}}));
        EXPECT_EQ(scene.nodes[1].surfaceIndices, std::vector<int>{0});
        EXPECT_TRUE(scene.nodes[0].surfaceIndices.empty());
        EXPECT_EQ(table.defaultMaterial.geometry, &scene.geometryLibrary[0]);
        EXPECT_TRUE(scene.textureLibrary.empty());
    }
}

TEST_F(MaterialsTest, EveryKeyGetsMaterialGeometryAndSurfaceInOrder) {
    json unusable = Texture("none.png", 32);
    unusable["width"] = 0;
    TestModel model(
        {{{"name", "Wood"}, {"color", {51, 102, 153, 128}}, {"texture", Texture("w.png", 24)}},
         {{"name", "Window glass"}, {"color", {200, 220, 255, 96}}},
         {{"name", "Flat"}, {"color", {0, 255, 0, 64}}, {"texture", unusable}}},
        models.path);
    PreparedScene scene(4);
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.InitModelMaterials(model.Ref());
    const std::vector<void*> keys = {nullptr, model.Material(0).ptr, model.Material(1).ptr,
                                     model.Material(2).ptr};
    table.CreateMaterialSurfaces(keys, 0);
    table.StopTextureWorker();

    ASSERT_EQ(scene.sceneMaterials.size(), 4u);
    ASSERT_EQ(scene.geometryLibrary.size(), 4u);
    ASSERT_EQ(scene.surfaces.size(), 4u);
    EXPECT_EQ(scene.nodes[0].surfaceIndices, (std::vector<int>{0, 1, 2, 3}));
    std::vector<const Material*> made;
    for (size_t i = 0; i < keys.size(); ++i) {
        const SkpMaterialInfo* record = table.FindMaterial(SUMaterialRef{keys[i]});
        EXPECT_EQ(record->geometry, &scene.geometryLibrary[i]);
        EXPECT_EQ(scene.surfaces[i].GetGeometryId(), static_cast<int>(i));
        EXPECT_EQ(scene.surfaces[i].GetMaterialId(), record->materialId);
        EXPECT_EQ(scene.surfaces[i].GetMaps(), (Maps{{u"DIFFUSE", record->textureId}}));
        made.push_back(&scene.sceneMaterials[record->materialId]);
        EXPECT_EQ(made.back()->GetName(), record->name);
    }
    const SkpMaterialInfo* wood = table.FindMaterial(model.Material(0));
    EXPECT_EQ(made[1]->GetDiffuse(), D3DXCOLOR(1, 1, 1, 1));
    EXPECT_EQ(made[1]->GetEmissive(), D3DXCOLOR(51 * k, 102 * k, 153 * k, 1.0f));
    EXPECT_EQ(made[1]->GetOpacity(), 1.0f);
    EXPECT_EQ(scene.textureLibrary, std::vector<std::u16string>{wood->textureFile});
    EXPECT_EQ(wood->textureId, 0);
    EXPECT_TRUE(fs::exists(fs::path(wood->textureFile)));

    EXPECT_EQ(made[2]->GetSurfaceType(), SURFACE_GLASS);
    EXPECT_EQ(made[2]->GetOpacity(), 96 / 255.0f);
    EXPECT_EQ(made[2]->GetDiffuse(), D3DXCOLOR(200 * k, 220 * k, 255 * k, 1.0f));
    EXPECT_EQ(made[3]->GetDiffuse(), D3DXCOLOR(0, 255 * k, 0, 1.0f));  // texture unusable
    EXPECT_EQ(made[3]->GetOpacity(), 64 / 255.0f);
    EXPECT_EQ(scene.surfaces[3].GetMaps(), (Maps{{u"DIFFUSE", -1}}));
}

TEST_F(MaterialsTest, SceneMaterialAndTextureAreMadeOncePerLoad) {
    TestModel model({{{"name", "Wood"}, {"texture", Texture("w.png", 24)}}}, models.path);
    PreparedScene scene(1);
    SkpMaterialTable table;
    table.scene = &scene;  // no worker: what is queued stays in the queue
    table.InitModelMaterials(model.Ref());
    const SkpMaterialInfo* first = table.AddMaterialToScene(model.Material(0));
    EXPECT_EQ(table.AddMaterialToScene(model.Material(0)), first);
    EXPECT_EQ(scene.sceneMaterials.size(), 1u);
    EXPECT_EQ(scene.textureLibrary.size(), 1u);
    EXPECT_EQ(table.textureQueue.unsafe_size(), 1u);
}

TEST_F(MaterialsTest, KeyWithoutRecordGetsARecordAndGeometryOfItsOwn) {
    TestModel model({{{"name", "Red"}, {"color", {255, 0, 0, 255}}},
                     {{"name", "*Blue"}, {"color", {0, 0, 255, 255}}}},
                    models.path);
    PreparedScene scene(3);
    SkpMaterialTable table;
    table.StartTextureWorker(&scene);
    table.CreateMaterialSurfaces({nullptr, model.Material(0).ptr, model.Material(1).ptr}, 0);
    table.StopTextureWorker();

    ASSERT_EQ(table.records.size(), 2u);
    const SkpMaterialInfo* red = table.FindMaterial(model.Material(0));
    const SkpMaterialInfo* blue = table.FindMaterial(model.Material(1));
    EXPECT_NE(red->geometry, blue->geometry);
    EXPECT_NE(red->geometry, table.defaultMaterial.geometry);
    EXPECT_EQ(red->index, 1);
    EXPECT_EQ(blue->name, u"MaterialBlue");
    EXPECT_EQ(scene.sceneMaterials[blue->materialId].GetDiffuse(), D3DXCOLOR(0, 0, 255 * k, 1));
}

}  // namespace
