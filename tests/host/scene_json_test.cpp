// The scene JSON read back with nlohmann_json.

#include <Importing/SceneJson.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "temp_folder.h"

namespace {

using nlohmann::json;

json WriteAndParse(const Importing::SceneContainer& scene, bool geometryData = true) {
    std::ostringstream out;
    Importing::WriteSceneJson(out, scene, {0, "", std::nullopt}, geometryData);
    return json::parse(out.str());  // throws, failing the test, on malformed text
}

// A scene with one of everything; the first texture is `textureFile`, the second is missing.
void FillSmallScene(Importing::SceneContainer& scene, const std::string& textureFile) {
    scene.SetSourceDescription(u"SketchUp");
    scene.SetRootNodeIndex(0);
    Importing::Node node;
    // Quotes and control characters to escape, and an unpaired surrogate to replace.
    node.SetName(u"Maison \u00E9t\u00E9 \U0001F3E0 \"quoted\"\n\t\\\x01" +
                 std::u16string(1, 0xD800));
    const float m[4][4] = {{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0.1f, 2.5f, -3, 1}};
    node.SetLocalTransform(Importing::Transform(m));
    node.surfaceIndices = {0};
    scene.nodes.push_back(node);
    Importing::Material material;
    material.SetName(u"Wood_\u6728");
    material.SetDiffuse(D3DXCOLOR(0.1f, 0.2f, 0.3f, 1));
    material.SetOpacity(0.7f);
    material.SetSurfaceType(Importing::SURFACE_GLASS);
    scene.AddMaterialToLibrary(material, 0);
    scene.AddTextureToLibrary(std::u16string(textureFile.begin(), textureFile.end()), 0);
    scene.AddTextureToLibrary(u"/nonexistent/texture.png", 0);
    Importing::Surface surface(0, 0);
    surface.AddMap(u"DIFFUSE", 0);
    surface.AddMap(u"BUMP", -1);
    scene.surfaces.push_back(surface);
    auto& geometry = scene.geometryLibrary[scene.CreateNewGeometryInLibrary()];
    geometry.vertices = {{0.1f, -2, 3, 0, 0, 1, 0.5f, 0.25f},
                         {4, 5.5f, -6, 0, 0, 1, 1, 1},
                         {-1e-7f, 1e20f, 0, 0, 0, 1, 0, 0}};
    geometry.indices = {0, 1, 2};
    scene.CreateNewGeometryInLibrary();  // an empty geometry
    scene.FinishLoad(false, true);       // the arguments in their order
    scene.FinishStep1();
    scene.FinishStep2();
}

TEST(SceneJson, WritesEverySectionOfASmallScene) {
    testsupport::TempFolder dir;
    const std::string texture = dir.Write("1_wood.png", std::string(1234, 'x'));
    Importing::SceneContainer scene;
    FillSmallScene(scene, texture);
    // Floats are written in their shortest form, so that these read back as the same numbers.
    json expected = json::parse(R"({
        "result": 0, "report": "", "sourceDescriptions": ["SketchUp"], "rootNodeIndex": 0,
        "finishCalls": [["FinishLoad", false, true], ["FinishStep1"], ["FinishStep2"]],
        "nodes": [{"name": "Maison \u00e9t\u00e9 \ud83c\udfe0 \"quoted\"\n\t\\\u0001\ufffd",
                   "localTransform": [1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0.1, 2.5, -3, 1],
                   "surfaceIndices": [0]}],
        "materials": [{"name": "Wood_\u6728", "diffuse": [0.1, 0.2, 0.3, 1],
                       "emissive": [0, 0, 0, 1], "opacity": 0.7, "specularPower": 0,
                       "surfaceType": 2}],
        "textures": [{"path": "", "bytes": 1234},
                     {"path": "/nonexistent/texture.png", "bytes": -1}],
        "surfaces": [{"geometry": 0, "material": 0, "maps": {"DIFFUSE": 0, "BUMP": -1}}],
        "geometries": [
            {"vertexCount": 3, "indexCount": 3, "bounds": [[-1e-7, -2, -6], [4, 1e20, 3]],
             "vertices": [[0.1, -2, 3, 0, 0, 1, 0.5, 0.25], [4, 5.5, -6, 0, 0, 1, 1, 1],
                          [-1e-7, 1e20, 0, 0, 0, 1, 0, 0]],
             "indices": [0, 1, 2]},
            {"vertexCount": 0, "indexCount": 0, "bounds": null, "vertices": [], "indices": []}]
    })");
    expected["textures"][0]["path"] = texture;
    EXPECT_EQ(WriteAndParse(scene), expected);

    // --no-geometry-data: counts and bounds only.
    for (json& geometry : expected["geometries"]) {
        geometry.erase("vertices");
        geometry.erase("indices");
    }
    EXPECT_EQ(WriteAndParse(scene, false), expected);
}

TEST(SceneJson, EveryFloatReadsBackBitForBit) {
    // Random bit patterns cover every exponent; the edges are the usual suspects.
    std::vector<float> values = {0.1f,        -0.0f, 1e-45f,      1.17549435e-38f, 3.40282347e38f,
                                 16777217.0f, 0.3f,  2.0f / 3.0f, 1e10f,           123456.789f};
    std::mt19937 random(12345);
    while (values.size() < 20000) {
        const uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
    }
    Importing::SceneContainer scene;
    auto& geometry = scene.geometryLibrary[scene.CreateNewGeometryInLibrary()];
    for (size_t i = 0; i + 8 <= values.size(); i += 8)
        geometry.vertices.emplace_back(values[i], values[i + 1], values[i + 2], values[i + 3],
                                       values[i + 4], values[i + 5], values[i + 6], values[i + 7]);
    const json doc = WriteAndParse(scene);
    const json& vertices = doc["geometries"][0]["vertices"];
    ASSERT_EQ(vertices.size(), geometry.vertices.size());
    size_t mismatches = 0;
    for (size_t i = 0; i < geometry.vertices.size(); ++i) {
        const float* expected = &geometry.vertices[i].x;
        for (size_t k = 0; k < 8; ++k) {
            const float back = vertices[i][k].get<float>();
            mismatches += std::memcmp(&back, &expected[k], sizeof back) != 0;
        }
    }
    EXPECT_EQ(mismatches, 0u);
}

}  // namespace
