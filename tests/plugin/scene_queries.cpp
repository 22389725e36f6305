#include "scene_queries.h"

#include <gtest/gtest.h>
#include <skpm/document_error.h>

namespace Importing::testing {

std::unique_ptr<SceneContainer> LoadScene(const testsupport::SystemTempFolder& folder,
                                          const nlohmann::json& document,
                                          const std::string& fileName) {
    const auto path = WriteDocument(folder, fileName, document);
    auto scene = std::make_unique<SceneContainer>();
    SkpReader reader;
    const std::size_t liveBefore = SKPMGetLiveObjectCount();
    const int result = reader.LoadFromFile(*scene, Wide(path), u"", false);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore) << "SketchUp objects left by the load";
    for (const Geometry& geometry : scene->geometryLibrary) {
        EXPECT_TRUE(WindingAgreesWithNormals(geometry));
    }
    return scene;
}

const Geometry* GeometryOf(const SceneContainer& scene, const std::u16string& materialName) {
    for (const Surface& surface : scene.surfaces) {
        if (scene.sceneMaterials.at(surface.GetMaterialId()).GetName() == materialName) {
            return &scene.geometryLibrary.at(surface.GetGeometryId());
        }
    }
    return nullptr;
}

std::optional<std::size_t> VerticesOf(const SceneContainer& scene,
                                      const std::u16string& materialName) {
    const Geometry* geometry = GeometryOf(scene, materialName);
    return geometry ? std::optional(geometry->vertices.size()) : std::nullopt;
}

std::size_t TotalVertices(const SceneContainer& scene) {
    std::size_t total = 0;
    for (const Geometry& geometry : scene.geometryLibrary) total += geometry.vertices.size();
    return total;
}

}  // namespace Importing::testing
