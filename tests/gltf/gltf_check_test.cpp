// The read-back checks that tests and the output fuzzer rely on must catch each kind of broken
// file: a check that passes everything would make every glTF test pass.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <functional>

#include "glb_container.h"
#include "gltf_builder.h"
#include "gltf_file.h"
#include "gltf_invariants.h"
#include "gltf_read.h"
#include "gltf_readback.h"

using namespace gltftest;

namespace {

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    out->insert(out->end(), static_cast<unsigned char*>(data),
                static_cast<unsigned char*>(data) + size);
}

// One textured triangle in one node, as the writer lays it out.
gltf::GltfDocument Triangle() {
    gltf::GltfBuilder builder("check");
    gltf::EncodedImage png{{}, "image/png"};
    const unsigned char pixel[4] = {10, 20, 30, 255};
    stbi_write_png_to_func(AppendBytes, &png.bytes, 1, 1, 4, pixel, 4);
    tinygltf::Material material;
    material.pbrMetallicRoughness.baseColorTexture.index = builder.AddTexture(png, "pixel");
    const int materialIndex = builder.AddMaterial(material);

    tinygltf::Primitive primitive;
    primitive.attributes["POSITION"] = builder.AddVec3({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, true);
    primitive.indices = builder.AddIndices({0, 1, 2}, 3);
    primitive.material = materialIndex;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    tinygltf::Mesh mesh;
    mesh.primitives.push_back(primitive);
    tinygltf::Node node;
    node.mesh = builder.AddMesh(mesh);
    builder.AddSceneRoot(builder.AddNode(node));
    return builder.Finish();
}

TEST(GltfCheck, ReportsEachBrokenRule) {
    testsupport::TempFolder dir;
    std::string error;
    ASSERT_TRUE(gltf::WriteGltf(Triangle(), dir.File("t.glb"), error)) << error;
    const tinygltf::Model sound = LoadModel(dir.File("t.glb"));  // fails on any violation
    ASSERT_EQ(sound.images.size(), 1u);

    const std::vector<std::pair<std::function<void(tinygltf::Model&)>, std::string>> breaks = {
        {[](tinygltf::Model& m) {
             const tinygltf::BufferView& v = m.bufferViews[m.accessors[1].bufferView];
             m.buffers[v.buffer].data[v.byteOffset + 2] = 7;  // the second index: vertex 7
         },
         "index past its 3 vertices"},
        {[](tinygltf::Model& m) { m.accessors[0].count = 4; }, "reaches past its bufferView"},
        {[](tinygltf::Model& m) { m.bufferViews[0].byteLength += 4096; },
         "reaches past its buffer"},
        {[](tinygltf::Model& m) { m.images[0].image.clear(); }, "has no decoded pixels"},
        {[](tinygltf::Model& m) {
             m.images[0].bufferView = -1;
             m.images[0].uri.clear();
         },
         "image 0 has no data"},
        {[](tinygltf::Model& m) { m.materials[0].pbrMetallicRoughness.baseColorTexture.index = 3; },
         "material 0's texture 3 does not resolve"},
        {[](tinygltf::Model& m) { m.meshes[0].primitives[0].material = 1; },
         "primitive 0's material 1 does not resolve"},
        {[](tinygltf::Model& m) { m.textures[0].source = 2; }, "texture 0's image 2"},
        {[](tinygltf::Model& m) { m.nodes[0].mesh = 5; }, "node 0's mesh 5"},
        {[](tinygltf::Model& m) { m.accessors[1].count = 2; }, "partial triangle"},
    };
    for (const auto& [corrupt, expected] : breaks) {
        tinygltf::Model broken = sound;
        corrupt(broken);
        const std::vector<std::string> violations = gltf::GltfInvariantViolations(broken);
        std::string all;
        for (const std::string& v : violations) all += v + "; ";
        EXPECT_NE(all.find(expected), std::string::npos)
            << "expected '" << expected << "' in: " << all;
    }
}

TEST(GltfCheck, RefusesGlbContainersThatDoNotHold) {
    testsupport::TempFolder dir;
    std::string error;
    ASSERT_TRUE(gltf::WriteGltf(Triangle(), dir.File("t.glb"), error)) << error;
    const std::string glb = dir.Read("t.glb");
    const std::vector<unsigned char> sound(glb.begin(), glb.end());
    ASSERT_EQ(gltf::GlbContainerProblem(sound), std::nullopt);

    // A bufferView past the binary chunk, written the way the writer writes any document.
    gltf::GltfDocument document = Triangle();
    document.model.bufferViews[0].byteLength = 1 << 20;
    document.model.images.clear();  // their bytes are placed by WriteGltf only
    document.model.textures.clear();
    document.model.materials[0].pbrMetallicRoughness.baseColorTexture.index = -1;
    tinygltf::TinyGLTF writer;
    ASSERT_TRUE(
        writer.WriteGltfSceneToFile(&document.model, dir.File("v.glb"), false, true, false, true));
    tinygltf::Model model;
    std::string problem;
    EXPECT_FALSE(gltf::ReadGltfFile(dir.File("v.glb"), model, problem));
    EXPECT_NE(problem.find("bufferView 0"), std::string::npos) << problem;
    EXPECT_NE(problem.find("reaches past the binary chunk"), std::string::npos) << problem;

    std::vector<unsigned char> cut(sound.begin(), sound.end() - 4);
    EXPECT_NE(gltf::GlbContainerProblem(cut), std::nullopt);
    EXPECT_FALSE(
        gltf::ReadGltfFile(dir.Write("cut.glb", glb.substr(0, glb.size() - 4)), model, problem));

    std::vector<unsigned char> version = sound;
    version[4] = 1;
    EXPECT_EQ(gltf::GlbContainerProblem(version), "the header's version is not 2");
}

}  // namespace
