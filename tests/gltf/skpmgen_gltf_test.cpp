// skpmgen --gltf: the glTF of a generated city places, per material, exactly the triangles the
// plug-in places in a single-sided load of the same document, over the same extent.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>

#include "file_contents.h"
#include "gltf_read.h"
#include "model_gltf.h"
#include "test_platform.h"

using namespace gltftest;

namespace {

constexpr double kPluginLift = 0.001;  // metres

struct Extent {
    Vec3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
             std::numeric_limits<double>::max()};
    Vec3 high{-low[0], -low[1], -low[2]};
    void Add(const Vec3& p) {
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    }
};

// What the nodes under `node` draw, placed: triangles per material name and the extent.
void Tally(const tinygltf::Model& model, int node, const Matrix& parent,
           std::map<std::string, size_t>& triangles, Extent& extent, size_t& placements) {
    const tinygltf::Node& n = model.nodes.at(node);
    const Matrix world = Multiply(parent, NodeMatrix(n));
    if (n.mesh >= 0) {
        ++placements;
        for (const tinygltf::Primitive& primitive : model.meshes.at(n.mesh).primitives) {
            triangles[model.materials.at(primitive.material).name] +=
                model.accessors.at(primitive.indices).count / 3;
            for (const Vec3& p : ReadVec3(model, primitive.attributes.at("POSITION")))
                extent.Add(Apply(world, p));
        }
    }
    for (const int child : n.children) Tally(model, child, world, triangles, extent, placements);
}

TEST(SkpmgenGltf, CityGltfPlacesPerMaterialTheTrianglesOfASingleSidedLoad) {
    testsupport::TempFolder dir;
    // Concave faces and faces with holes, mirrored placements, blocks in districts; a document
    // name outside ASCII, which Windows hands a program in its wide command line only.
    const std::string city = dir.File("stadt_\xC3\x96.skpm");
    ASSERT_EQ(RunTool(SKPMGEN_TOOL, {"--definitions", "3", "--faces", "15", "--instances", "130",
                                     "--depth", "3", "--mirrored", "0.3", "--materials", "3", "-o",
                                     city, "--gltf", dir.File("city.glb")}),
              0);
    std::filesystem::copy_file(testsupport::PathOf(city),
                               testsupport::PathOf(dir.File("city_defaultsingle.skpm")));
    ASSERT_EQ(
        RunTool(SKPIMPORT_TOOL, {"--quiet", "--no-geometry-data", "--scene-json",
                                 dir.File("scene.json"), dir.File("city_defaultsingle.skpm")}),
        0);
    const nlohmann::json scene = testsupport::ReadJson(dir.Path() / "scene.json");
    std::map<std::string, size_t> loaded;
    Extent loadedExtent;
    for (const nlohmann::json& surface : scene["surfaces"]) {
        const nlohmann::json& geometry = scene["geometries"][surface["geometry"].get<int>()];
        loaded[scene["materials"][surface["material"].get<int>()]["name"]] +=
            geometry["indexCount"].get<size_t>() / 3;
        for (const nlohmann::json& corner : geometry["bounds"]) {
            const std::vector<double> p = corner;
            // The scene's north is glTF's -z; the plug-in lifts every model by a millimetre.
            loadedExtent.Add({p[0], p[1] - kPluginLift, -p[2]});
        }
    }

    const tinygltf::Model model = LoadModel(dir.File("city.glb"));
    EXPECT_EQ(model.asset.generator, "skpmgen");
    EXPECT_EQ(model.nodes.at(model.scenes.at(0).nodes.at(0)).name, "stadt_\xC3\x96");
    EXPECT_LE(model.meshes.size(), 3u);  // one per definition, shared by its placements
    std::map<std::string, size_t> written;
    Extent writtenExtent;
    size_t placements = 0;
    for (const int root : model.scenes.at(0).nodes)
        Tally(model, root, NodeMatrix(tinygltf::Node()), written, writtenExtent, placements);
    EXPECT_EQ(placements, 130u);
    EXPECT_EQ(written, loaded);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(writtenExtent.low[k], loadedExtent.low[k], 1e-4) << k;
        EXPECT_NEAR(writtenExtent.high[k], loadedExtent.high[k], 1e-4) << k;
    }
}

// A placement's matrix moves a point in glTF's frame where the SketchUp matrix moves it in
// SketchUp's; a mirrored placement stays mirrored.
TEST(SkpmgenGltf, PlacementMatrixIsTheSameMotionInGltfAxes) {
    const SUTransformation mirrored = {
        {-1, 0, 0, 0, 0, 0.8, 0.6, 0, 0, -0.6, 0.8, 0, 10, 20, 30, 1}};
    const std::vector<double> r = skpmgen::GltfPlacementMatrix(mirrored);
    ASSERT_EQ(r.size(), 16u);
    Matrix m;
    std::copy(r.begin(), r.end(), m.begin());
    const auto toGltf = [](const Vec3& inches) {
        return Vec3{inches[0] * 0.0254, inches[2] * 0.0254, -inches[1] * 0.0254};
    };
    const Vec3 p{3, -5, 7};
    Vec3 moved{};
    for (int row = 0; row < 3; ++row)
        moved[row] = mirrored.values[row] * p[0] + mirrored.values[4 + row] * p[1] +
                     mirrored.values[8 + row] * p[2] + mirrored.values[12 + row];
    const Vec3 got = Apply(m, toGltf(p)), want = toGltf(moved);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], 1e-12) << k;
    const double det = m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
                       m[8] * (m[1] * m[6] - m[5] * m[2]);
    EXPECT_NEAR(det, -1, 1e-12);

    const SUTransformation identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    EXPECT_TRUE(skpmgen::GltfPlacementMatrix(identity).empty());
}

}  // namespace
