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
    const json doc = WriteAndParse(scene);

    EXPECT_EQ(doc["result"], 0);
    EXPECT_FALSE(doc.contains("raised"));
    EXPECT_EQ(doc["sourceDescriptions"], json::array({"SketchUp"}));
    EXPECT_EQ(doc["rootNodeIndex"], 0);
    EXPECT_EQ(doc["finishCalls"],
              json::parse(R"([["FinishLoad", false, true], ["FinishStep1"], ["FinishStep2"]])"));
    ASSERT_EQ(doc["nodes"].size(), 1u);
    EXPECT_EQ(doc["nodes"][0]["name"],
              "Maison \xC3\xA9t\xC3\xA9 \xF0\x9F\x8F\xA0 \"quoted\"\n\t\\\x01\xEF\xBF\xBD");
    EXPECT_EQ(doc["nodes"][0]["localTransform"].size(), 16u);
    EXPECT_EQ(doc["nodes"][0]["localTransform"][9].get<float>(), -1.0f);  // row 2, column 1
    EXPECT_EQ(doc["nodes"][0]["localTransform"][12].get<float>(), 0.1f);
    EXPECT_EQ(doc["nodes"][0]["surfaceIndices"], json::array({0}));
    const json& material = doc["materials"][0];
    EXPECT_EQ(material["name"], "Wood_\xE6\x9C\xA8");
    EXPECT_EQ(material["diffuse"][1].get<float>(), 0.2f);
    EXPECT_EQ(material["emissive"], json::array({0, 0, 0, 1}));
    EXPECT_EQ(material["opacity"].get<float>(), 0.7f);
    EXPECT_EQ(material["specularPower"], 0);
    EXPECT_EQ(material["surfaceType"], 2);
    EXPECT_EQ(doc["textures"][0]["bytes"], 1234);
    EXPECT_EQ(doc["textures"][0]["path"], texture);
    EXPECT_EQ(doc["textures"][1]["bytes"], -1);
    EXPECT_EQ(doc["surfaces"][0],
              json::parse(R"({"geometry": 0, "material": 0, "maps": {"DIFFUSE": 0, "BUMP": -1}})"));
    const json& geometry = doc["geometries"][0];
    EXPECT_EQ(geometry["vertexCount"], 3);
    EXPECT_EQ(geometry["indexCount"], 3);
    EXPECT_EQ(geometry["bounds"][0][0].get<float>(), -1e-7f);
    EXPECT_EQ(geometry["bounds"][1][1].get<float>(), 1e20f);
    EXPECT_EQ(geometry["bounds"][0][2].get<float>(), -6.0f);
    EXPECT_EQ(geometry["vertices"][2][0].get<float>(), -1e-7f);
    EXPECT_EQ(geometry["vertices"][0][7].get<float>(), 0.25f);
    EXPECT_EQ(geometry["indices"], json::array({0, 1, 2}));
    EXPECT_EQ(doc["geometries"][1]["vertexCount"], 0);
    EXPECT_TRUE(doc["geometries"][1]["bounds"].is_null());

    // --no-geometry-data: counts and bounds only.
    const json shape = WriteAndParse(scene, false)["geometries"][0];
    EXPECT_EQ(shape["vertexCount"], 3);
    EXPECT_EQ(shape["indexCount"], 3);
    EXPECT_EQ(shape["bounds"], geometry["bounds"]);
    EXPECT_FALSE(shape.contains("vertices"));
    EXPECT_FALSE(shape.contains("indices"));
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
