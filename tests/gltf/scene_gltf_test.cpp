// The host scene through gltf_out and back through tinygltf: axes, winding, node matrices,
// materials and textures, and what is left out.
#include "scene_gltf.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <filesystem>

#include "gltf_file.h"
#include "gltf_read.h"

using namespace gltftest;
using Importing::Vertex;

namespace {

// In scene coordinates: a floor triangle east of the origin whose second corner lies north of the
// first, normal up; it winds with (b-a)x(c-a) along its normal.
const std::vector<Vertex> kFloor = {
    {5, 0, 0, 0, 1, 0, 0, 0}, {5, 0, 1, 0, 1, 0, 0, 1}, {6, 0, 0, 0, 1, 0, 1, 0}};

// A scene of one root node drawing every surface; its geometries are added by the tests. It is
// written into a folder of its own; `warnings` holds what the last write warned of.
struct Scene {
    Importing::SceneContainer container;
    Scene() {
        container.nodes.emplace_back();
        container.nodes[0].SetName(u"probe");
        container.SetRootNodeIndex(0);
    }
    int Material(const std::u16string& name, D3DXCOLOR diffuse, float opacity = 1,
                 Importing::SurfaceType type = Importing::SURFACE_ORDINARY) {
        Importing::Material m;
        m.SetName(name);
        m.SetDiffuse(diffuse);
        m.SetOpacity(opacity);
        m.SetSurfaceType(type);
        return container.AddMaterialToLibrary(m, 0);
    }
    // Draws a new geometry with `material` (and `texture` as its DIFFUSE map); answers its id.
    int Draw(std::vector<Vertex> vertices, std::vector<uint32_t> indices, int material,
             int texture = -1) {
        const int g = container.CreateNewGeometryInLibrary();
        container.geometryLibrary[g].vertices = std::move(vertices);
        container.geometryLibrary[g].indices = std::move(indices);
        container.surfaces.emplace_back(g, material);
        container.surfaces.back().AddMap(u"DIFFUSE", texture);
        container.nodes[0].surfaceIndices.push_back(
            static_cast<int>(container.surfaces.size() - 1));
        return g;
    }
    // A texture of the library from a UTF-8 path, widened unit by unit: ASCII only.
    int Texture(const std::string& path) {
        return container.AddTextureToLibrary({path.begin(), path.end()}, 0);
    }
    tinygltf::Model WriteAndRead(const std::string& name) {
        std::string error;
        warnings.clear();
        EXPECT_TRUE(gltf::WriteGltf(gltf::SceneToGltf(container, warnings), dir.File(name), error))
            << error;
        return LoadModel(dir.File(name));
    }
    testsupport::TempFolder dir;
    std::vector<std::string> warnings;
};

// The floor and a wall triangle facing north, which winds with (b-a)x(c-a) along its normal too.
void DrawProbe(Scene& scene, int material) {
    scene.Draw(kFloor, {0, 1, 2}, material);
    scene.Draw({{0, 0, 2, 0, 0, 1, 0, 0}, {0, 1, 2, 0, 0, 1, 0, 0}, {-1, 0, 2, 0, 0, 1, 0, 0}},
               {0, 1, 2}, material);
}

void ExpectNear(const Vec3& got, const Vec3& want) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], 1e-5) << k;
}

TEST(SceneGltf, EastStaysEastNorthBecomesMinusZAndWindingAgreesWithNormals) {
    Scene scene;
    DrawProbe(scene, scene.Material(u"Paint", {1, 0, 0, 1}));
    const tinygltf::Model model = scene.WriteAndRead("probe.glb");
    EXPECT_TRUE(scene.warnings.empty());
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.asset.version, "2.0");
    EXPECT_EQ(model.asset.generator, "skpimport");

    const tinygltf::Primitive& floor = model.meshes[0].primitives.at(0);
    const std::vector<Vec3> p = ReadVec3(model, floor.attributes.at("POSITION"));
    ExpectNear(p.at(0), {5, 0, 0});   // east stays +x
    ExpectNear(p.at(1), {5, 0, -1});  // north becomes -z
    const tinygltf::Accessor& bounds = model.accessors[floor.attributes.at("POSITION")];
    EXPECT_EQ(bounds.minValues, (std::vector<double>{5, 0, -1}));
    EXPECT_EQ(bounds.maxValues, (std::vector<double>{6, 0, 0}));
    ExpectNear(ReadVec3(model, floor.attributes.at("NORMAL")).at(0), {0, 1, 0});  // up is +y
    const tinygltf::Primitive& wall = model.meshes[1].primitives.at(0);
    ExpectNear(ReadVec3(model, wall.attributes.at("NORMAL")).at(0), {0, 0, -1});  // faces north

    for (const tinygltf::Mesh& mesh : model.meshes) {
        const tinygltf::Primitive& primitive = mesh.primitives.at(0);
        const std::vector<Vec3> q = ReadVec3(model, primitive.attributes.at("POSITION"));
        const std::vector<Vec3> n = ReadVec3(model, primitive.attributes.at("NORMAL"));
        const std::vector<uint32_t> t = ReadIndices(model, primitive.indices);
        ASSERT_EQ(t.size(), 3u);
        const Vec3 face = Cross(Minus(q[t[1]], q[t[0]]), Minus(q[t[2]], q[t[0]]));
        for (const uint32_t i : t) EXPECT_GT(Dot(face, n[i]), 0) << mesh.name;
    }
}

TEST(SceneGltf, NodeMatrixPlacesPointsWhereTheSceneDoes) {
    Scene scene;
    DrawProbe(scene, scene.Material(u"Paint", {1, 0, 0, 1}));
    // Row-vector matrix: a turn about the up axis, a stretch along north, a translation.
    const double c = std::cos(0.5), s = std::sin(0.5);
    const float m[4][4] = {{float(c), 0, float(-s), 0},
                           {0, 1, 0, 0},
                           {float(2 * s), 0, float(2 * c), 0},
                           {1, 2, 3, 1}};
    scene.container.nodes[0].SetLocalTransform(Importing::Transform(m));
    const tinygltf::Model model = scene.WriteAndRead("probe.glb");
    ASSERT_EQ(model.scenes.at(0).nodes.size(), 1u);
    const tinygltf::Node& root = model.nodes.at(model.scenes[0].nodes[0]);
    EXPECT_EQ(root.name, "probe");
    ASSERT_EQ(root.children.size(), 2u);  // one child per mesh

    const Vec3 p{0.25, -4, 7};  // scene coordinates
    const Vec3 placed{p[0] * m[0][0] + p[1] * m[1][0] + p[2] * m[2][0] + m[3][0],
                      p[0] * m[0][1] + p[1] * m[1][1] + p[2] * m[2][1] + m[3][1],
                      p[0] * m[0][2] + p[1] * m[1][2] + p[2] * m[2][2] + m[3][2]};
    ExpectNear(Apply(NodeMatrix(root), {p[0], p[1], -p[2]}), {placed[0], placed[1], -placed[2]});
}

// A 3 x 2 BMP (glTF has no BMP), written with stb.
std::string WriteBmp(const testsupport::TempFolder& dir) {
    const unsigned char pixels[3 * 2 * 3] = {255, 0, 0, 0,  255, 0,  0,   0,   255,
                                             9,   9, 9, 90, 90,  90, 200, 200, 200};
    const std::string path = dir.File("bricks.bmp");
    EXPECT_NE(stbi_write_bmp(path.c_str(), 3, 2, 3, pixels), 0);
    return path;
}

// Materials: the colour, opacity as alpha with BLEND, the surface type in extras, a BMP texture
// converted and embedded, a missing one left out with a warning.
TEST(SceneGltf, MaterialsCarryColourOpacityTexturesAndExtras) {
    Scene scene;
    const int bmp = scene.Texture(WriteBmp(scene.dir));
    const int missing = scene.Texture("/nonexistent/gone.png");
    scene.Draw(kFloor, {0, 1, 2}, scene.Material(u"Red", {1, 0, 0, 1}));
    scene.Draw(kFloor, {0, 1, 2},
               scene.Material(u"Glass", {0.5, 0.6, 0.7, 1}, 0.25f, Importing::SURFACE_GLASS));
    scene.Draw(kFloor, {0, 1, 2}, scene.Material(u"Bricks", {1, 1, 1, 1}), bmp);
    scene.Draw(kFloor, {0, 1, 2}, scene.Material(u"Gone", {1, 1, 1, 1}), missing);
    scene.Material(u"Unused", {0, 0, 1, 1});

    for (const char* name : {"materials.glb", "materials.gltf"}) {
        const tinygltf::Model model = scene.WriteAndRead(name);
        ASSERT_EQ(model.materials.size(), 5u) << name;  // one per scene material, used or not
        ASSERT_EQ(scene.warnings.size(), 1u) << name;
        EXPECT_NE(scene.warnings[0].find("/nonexistent/gone.png"), std::string::npos)
            << scene.warnings[0];

        const tinygltf::Material& red = model.materials[0];
        EXPECT_EQ(red.pbrMetallicRoughness.baseColorFactor, (std::vector<double>{1, 0, 0, 1}));
        EXPECT_EQ(red.alphaMode, "OPAQUE");
        const tinygltf::Material& glass = model.materials[1];
        EXPECT_EQ(glass.alphaMode, "BLEND");
        EXPECT_NEAR(glass.pbrMetallicRoughness.baseColorFactor[3], 0.25, 1e-7);
        EXPECT_EQ(glass.extras.Get("surfaceType").Get<std::string>(), "glass");
        EXPECT_EQ(model.materials[4].pbrMetallicRoughness.baseColorTexture.index, -1);

        ASSERT_EQ(model.images.size(), 1u) << name;
        const int texture = model.materials[2].pbrMetallicRoughness.baseColorTexture.index;
        ASSERT_GE(texture, 0);
        const tinygltf::Image& image = model.images.at(model.textures.at(texture).source);
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.image.at(0), 255);  // the first pixel is red
        EXPECT_EQ(image.image.at(1), 0);
        // Only the textured surface's mesh carries texture coordinates.
        EXPECT_EQ(model.meshes[2].primitives[0].attributes.count("TEXCOORD_0"), 1u);
        EXPECT_EQ(model.meshes[0].primitives[0].attributes.count("TEXCOORD_0"), 0u);
        if (std::string(name).ends_with(".glb")) {
            EXPECT_EQ(image.mimeType, "image/png");
            ASSERT_GE(image.bufferView, 0);  // in the binary chunk, not a data URI
            EXPECT_TRUE(image.uri.empty());
            const std::vector<unsigned char> png = ViewBytes(model, image.bufferView);
            EXPECT_EQ(std::string(png.begin(), png.begin() + 4), "\x89PNG");
            EXPECT_TRUE(model.buffers.at(0).uri.empty());
        } else {
            EXPECT_EQ(image.uri, "materials_0.png");  // a file beside the JSON
            EXPECT_EQ(model.buffers.at(0).uri, "materials.bin");
            EXPECT_TRUE(std::filesystem::exists(scene.dir.File("materials.bin")));
        }
    }
}

// An opaque material whose texture has transparent pixels (foliage) is cut out along them; an
// opaque texture keeps the material opaque.
TEST(SceneGltf, TexturesWithTransparentPixelsCutTheirMaterialOut) {
    Scene scene;
    const unsigned char leaves[] = {0, 128, 0, 255, 0, 0, 0, 0};  // a leaf pixel, a hole
    const unsigned char solid[] = {0, 128, 0, 255, 9, 9, 9, 255};
    const std::string leavesPath = scene.dir.File("leaves.png");
    const std::string solidPath = scene.dir.File("solid.png");
    ASSERT_NE(stbi_write_png(leavesPath.c_str(), 2, 1, 4, leaves, 8), 0);
    ASSERT_NE(stbi_write_png(solidPath.c_str(), 2, 1, 4, solid, 8), 0);
    scene.Draw(kFloor, {0, 1, 2}, scene.Material(u"Leaves", {1, 1, 1, 1}),
               scene.Texture(leavesPath));
    scene.Draw(kFloor, {0, 1, 2}, scene.Material(u"Solid", {1, 1, 1, 1}), scene.Texture(solidPath));
    const tinygltf::Model model = scene.WriteAndRead("cut.glb");
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].alphaMode, "MASK");
    EXPECT_EQ(model.materials[1].alphaMode, "OPAQUE");
}

TEST(SceneGltf, GeometriesWithoutTrianglesOrWithBadIndicesGetNoMesh) {
    Scene scene;
    const int paint = scene.Material(u"Paint", {1, 0, 0, 1});
    DrawProbe(scene, paint);
    scene.Draw({}, {}, paint);                                                           // empty
    scene.Draw({{0, 0, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0}}, {0, 1, 2}, paint);  // 2 >= 2
    scene.container.CreateNewGeometryInLibrary();  // drawn by nothing
    const tinygltf::Model model = scene.WriteAndRead("probe.glb");
    EXPECT_EQ(model.meshes.size(), 2u);
    ASSERT_EQ(scene.warnings.size(), 1u);
    EXPECT_NE(scene.warnings[0].find("geometry 3"), std::string::npos) << scene.warnings[0];
    for (const tinygltf::Node& node : model.nodes)
        EXPECT_TRUE(node.mesh < static_cast<int>(model.meshes.size())) << node.name;
}

// UNSIGNED_SHORT reserves 65535 as the restart value: a geometry that needs it takes UNSIGNED_INT.
TEST(SceneGltf, IndicesWidenWhenAVertexIndexReachesTheRestartValue) {
    for (const uint32_t count : {65535u, 65536u}) {
        Scene scene;
        std::vector<Vertex> vertices(count);
        for (uint32_t i = 0; i < count; ++i)
            vertices[i] = {float(i % 256), 0, float(i / 256), 0, 1, 0, 0, 0};
        scene.Draw(vertices, {count - 1, count - 257, count - 2},
                   scene.Material(u"P", {1, 1, 1, 1}));
        const tinygltf::Model model = scene.WriteAndRead("wide.glb");
        const int accessor = model.meshes.at(0).primitives.at(0).indices;
        EXPECT_EQ(model.accessors[accessor].componentType,
                  count <= 65535 ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT
                                 : TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT);
        EXPECT_EQ(ReadIndices(model, accessor),
                  (std::vector<uint32_t>{count - 1, count - 2, count - 257}));
    }
}

// tinygltf writes an object with nothing set as null, which no reader takes: a scene of no nodes
// (what a load that failed early leaves) and an unnamed, empty node at the origin.
TEST(SceneGltf, EmptyScenesAndNodesReadBack) {
    Scene scene;
    for (const char* name : {"empty.glb", "empty.gltf"}) {
        Scene empty;
        empty.container = Importing::SceneContainer();
        EXPECT_TRUE(empty.WriteAndRead(name).nodes.empty()) << name;
    }
    scene.container.nodes.emplace_back();  // no name, no surface, at the origin
    const tinygltf::Model model = scene.WriteAndRead("bare.glb");
    ASSERT_EQ(model.nodes.size(), 2u);
    EXPECT_EQ(model.scenes.at(0).nodes.size(), 2u);
}

TEST(SceneGltf, OnlyGlbAndGltfNamesAreWritten) {
    EXPECT_EQ(gltf::GltfFormatOf("a/b.GLB"), gltf::GltfFormat::Binary);
    EXPECT_EQ(gltf::GltfFormatOf("b.gltf"), gltf::GltfFormat::Text);
    EXPECT_FALSE(gltf::GltfFormatOf("b.obj"));
    EXPECT_FALSE(gltf::GltfFormatOf("glb"));
    std::string error;
    EXPECT_FALSE(gltf::WriteGltf({}, "/tmp/never.obj", error));
    EXPECT_FALSE(gltf::WriteGltf({}, "/nonexistent/folder/x.glb", error));
}

}  // namespace
