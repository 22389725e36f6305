#include <Importing/SceneContainer.h>

#include "SkpMaterialTable.h"
#include "test_support.h"

using namespace Importing;
using namespace materials_test;

namespace {

constexpr float k = 0.003921569f;  // a colour byte to a channel, as the host takes it

using Maps = std::vector<std::pair<std::u16string, int>>;

D3DXCOLOR Color(float red, float green, float blue) {
    return D3DXCOLOR(red * k, green * k, blue * k, 1.0f);
}

// Keys in surface order: no material (the grey default), a textured material (its texture shows
// through, opaque), glass, and a colour whose texture is unusable; all but the first are met only
// now. Each load makes its scene objects afresh, once per material.
TEST_F(MaterialsTest, EveryKeyGetsMaterialGeometryAndSurfaceInOrderInEveryLoad) {
    json unusable = Texture("none.png", 32);
    unusable["width"] = 0;
    Load({{{"name", "Wood"}, {"color", {51, 102, 153, 128}}, {"texture", Texture("w.png", 24)}},
          {{"name", "Window glass"}, {"color", {200, 220, 255, 96}}},
          {{"name", "Flat"}, {"color", {0, 255, 0, 64}}, {"texture", unusable}}});
    const std::vector<void*> keys = {nullptr, Material(0).ptr, Material(1).ptr, Material(2).ptr};
    const D3DXCOLOR grey = Color(170, 170, 170), glass = Color(200, 220, 255),
                    green = Color(0, 255, 0);
    using Made = std::tuple<std::u16string, D3DXCOLOR, D3DXCOLOR, float, SurfaceType, int>;
    const Made expected[] = {
        {u"Default material", grey, grey, 1, SURFACE_ORDINARY, -1},
        {u"Wood", D3DXCOLOR(1, 1, 1, 1), Color(51, 102, 153), 1, SURFACE_ORDINARY, 0},
        {u"Window glass", glass, glass, 96 / 255.0f, SURFACE_GLASS, -1},
        {u"Flat", green, green, 64 / 255.0f, SURFACE_ORDINARY, -1}};
    SkpMaterialTable table;
    for (int load = 0; load < 2; ++load) {
        SceneContainer scene;
        scene.nodes.resize(2);
        scene.geometryLibrary.reserve(keys.size());  // as the load does: geometries stay put
        scene.surfaces.reserve(keys.size());
        table.StartTextureWorker(&scene);
        table.CreateMaterialSurfaces(keys, 1);
        table.AddMaterialToScene(Material(0));  // made already: nothing new
        table.StopTextureWorker();

        ASSERT_EQ(scene.sceneMaterials.size(), 4u);
        ASSERT_EQ(scene.geometryLibrary.size(), 4u);
        EXPECT_EQ(scene.nodes[1].surfaceIndices, (std::vector<int>{0, 1, 2, 3}));
        for (size_t i = 0; i < keys.size(); ++i) {
            const SkpMaterialInfo* record = table.FindMaterial(SUMaterialRef{keys[i]});
            const Importing::Material& made = scene.sceneMaterials[record->materialId];
            EXPECT_EQ(Made(made.GetName(), made.GetDiffuse(), made.GetEmissive(), made.GetOpacity(),
                           made.GetSurfaceType(), record->textureId),
                      expected[i]);
            EXPECT_EQ(record->geometry, &scene.geometryLibrary[i]);
            const Surface& surface = scene.surfaces[i];
            EXPECT_EQ(
                std::tuple(surface.GetGeometryId(), surface.GetMaterialId(), surface.GetMaps()),
                std::tuple(int(i), record->materialId, Maps{{u"DIFFUSE", record->textureId}}));
        }
        EXPECT_EQ(scene.textureLibrary,
                  std::vector<std::u16string>{table.FindMaterial(Material(0))->textureFile});
    }
}

}  // namespace
