// skpimport -o end to end on the bundled sample: the glTF holds the scene the plug-in loaded
// (compared with the tool's own scene JSON), in glTF's axes, with the textures embedded.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "file_contents.h"
#include "gltf_read.h"

using namespace gltftest;

namespace {

TEST(SkpimportGltf, SampleGlbHoldsTheLoadedSceneInGltfAxes) {
    testsupport::TempFolder dir;
    ASSERT_EQ(RunTool(SKPIMPORT_TOOL, {"--quiet", "--scene-json", dir.File("house.json"), "-o",
                                       dir.File("house.glb"), SAMPLE_MODEL}),
              0);
    const nlohmann::json scene = testsupport::ReadJson(dir.Path() / "house.json");
    const tinygltf::Model model = LoadModel(dir.File("house.glb"));

    EXPECT_EQ(model.materials.size(), scene["materials"].size());
    ASSERT_EQ(model.scenes.at(0).nodes.size(), scene["nodes"].size());
    EXPECT_EQ(model.nodes.at(model.scenes[0].nodes[0]).name, "house");
    // Every geometry of the sample is drawn by one surface and has triangles: mesh i is
    // geometry i, its vertices in glTF's axes and every triangle reversed.
    const nlohmann::json& geometries = scene["geometries"];
    ASSERT_EQ(model.meshes.size(), geometries.size());
    size_t triangles = 0;
    for (size_t g = 0; g < geometries.size(); ++g) {
        const tinygltf::Primitive& primitive = model.meshes[g].primitives.at(0);
        EXPECT_EQ(primitive.material, scene["surfaces"][g]["material"].get<int>());
        const std::vector<Vec3> p = ReadVec3(model, primitive.attributes.at("POSITION"));
        const std::vector<Vec3> n = ReadVec3(model, primitive.attributes.at("NORMAL"));
        const std::vector<uint32_t> t = ReadIndices(model, primitive.indices);
        const nlohmann::json& vertices = geometries[g]["vertices"];
        const std::vector<uint32_t> indices = geometries[g]["indices"];
        ASSERT_EQ(p.size(), vertices.size());
        ASSERT_EQ(t.size(), indices.size());
        for (size_t v = 0; v < p.size(); ++v) {
            const std::vector<float> x = vertices[v];
            EXPECT_EQ(p[v], (Vec3{x[0], x[1], -x[2]})) << "geometry " << g << " vertex " << v;
            EXPECT_NEAR(std::sqrt(Dot(n[v], n[v])), 1, 1e-6);
        }
        for (size_t i = 0; i + 2 < t.size(); i += 3) {
            EXPECT_EQ((std::vector<uint32_t>{t[i], t[i + 2], t[i + 1]}),
                      (std::vector<uint32_t>(indices.begin() + i, indices.begin() + i + 3)));
            const Vec3 face = Cross(Minus(p[t[i + 1]], p[t[i]]), Minus(p[t[i + 2]], p[t[i]]));
            if (Dot(face, face) < 1e-18) continue;  // no direction to agree with
            for (int k = 0; k < 3; ++k)
                EXPECT_GT(Dot(face, n[t[i + k]]), 0) << "geometry " << g << " triangle " << i / 3;
        }
        triangles += t.size() / 3;
    }
    EXPECT_EQ(triangles, 244u);  // the summary's count for the sample

    // Every texture of the scene, embedded in the binary chunk with its own format.
    ASSERT_EQ(model.images.size(), scene["textures"].size());
    for (const tinygltf::Image& image : model.images) {
        ASSERT_GE(image.bufferView, 0);
        const std::vector<unsigned char> bytes = ViewBytes(model, image.bufferView);
        const bool png = std::string(bytes.begin(), bytes.begin() + 4) == "\x89PNG";
        const bool jpeg = bytes.at(0) == 0xFF && bytes.at(1) == 0xD8;
        EXPECT_EQ(image.mimeType, png ? "image/png" : "image/jpeg");
        EXPECT_TRUE(png || jpeg);
        EXPECT_GT(image.width, 0);  // tinygltf decoded it
    }
}

// (A name that is neither .glb nor .gltf is a usage error, checked with the tool's other ones.)
TEST(SkpimportGltf, WritesNothingAfterAFailedLoad) {
    testsupport::TempFolder dir;
    std::string err;
    EXPECT_EQ(RunTool(SKPIMPORT_TOOL, {"-o", dir.File("none.glb"), dir.File("missing.skpm")}, &err),
              1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.glb")));
    EXPECT_NE(err.find("no glTF written"), std::string::npos) << err;
}

// Progress lines say what finished, unless --quiet; --timings lines stay as they were, and no
// progress line could be read as one.
TEST(SkpimportGltf, ProgressLinesUnlessQuietAndTimingsUnchanged) {
    testsupport::TempFolder dir;
    std::string err;
    ASSERT_EQ(
        RunTool(SKPIMPORT_TOOL, {"--timings", "-o", dir.File("house.gltf"), SAMPLE_MODEL}, &err),
        0);
    const std::regex progress(R"(skpimport: \[\d+\.\d{3} s\] .*[^s])");
    const std::regex timing(R"([a-z][a-z ]* \d+\.\d{3} ms)");
    std::istringstream lines(err);
    int progressLines = 0, timingLines = 0;
    for (std::string line; std::getline(lines, line);) {
        const bool isProgress = std::regex_match(line, progress);
        EXPECT_NE(isProgress, std::regex_match(line, timing)) << line;
        progressLines += isProgress;
        timingLines += !isProgress;
    }
    EXPECT_EQ(progressLines, 3);  // plug-in, model, glTF file
    EXPECT_NE(err.find("] wrote " + (dir.File("house.gltf"))), std::string::npos) << err;
    EXPECT_NE(err.find("\ntotal "), std::string::npos) << err;
    EXPECT_GE(timingLines, 8);

    ASSERT_EQ(RunTool(SKPIMPORT_TOOL, {"--quiet", "-o", dir.File("house.glb"), SAMPLE_MODEL}, &err),
              0);
    EXPECT_EQ(err, "");
}

// The same model gives the same files byte for byte whatever the number of threads and however
// often it is imported: the scene JSON with every vertex and index, and the .glb with its
// textures. A nested city with mirrored placements, back sides and several materials.
TEST(SkpimportGltf, OutputsAreTheSameBytesWhateverTheThreads) {
    testsupport::TempFolder dir;
    ASSERT_EQ(
        RunTool(SKPMGEN_TOOL, {"--definitions", "5", "--faces", "30", "--instances", "250",
                               "--depth", "3", "--mirrored", "0.3", "-o", dir.File("city.skpm")}),
        0);
    std::string firstJson, firstGlb, err;
    for (const std::string threads : {"1", "2", "4", "4"}) {
        const std::string json = "city" + threads + ".json", glb = "city" + threads + ".glb";
        ASSERT_EQ(RunTool(SKPIMPORT_TOOL,
                          {"--quiet", "--threads", threads, "--scene-json", dir.File(json), "-o",
                           dir.File(glb), dir.File("city.skpm")},
                          &err, {{"TMPDIR", dir.File("")}}),
                  0)
            << err;
        if (firstJson.empty()) {
            firstJson = dir.Read(json);
            firstGlb = dir.Read(glb);
            ASSERT_GT(nlohmann::json::parse(firstJson)["geometries"].size(), 4u);
            continue;
        }
        EXPECT_TRUE(dir.Read(json) == firstJson) << "scene JSON with " << threads << " threads";
        EXPECT_TRUE(dir.Read(glb) == firstGlb) << ".glb with " << threads << " threads";
    }
}

}  // namespace
