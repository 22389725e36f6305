// skpimport with the built plug-in, run as a user runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "file_contents.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "tool_run.h"

namespace {

using nlohmann::json;

const std::string kTool = SKPIMPORT_PATH;
const std::string kHouse = std::string(SAMPLES_DIR) + "/house.skpm";

TEST(SkpimportEndToEnd, MissingModelFailsWithTheReport) {
    testsupport::TempFolder dir;
    const std::string jsonPath = dir.File("scene.json");
    const testsupport::ToolRun run =
        testsupport::RunTool(kTool, {"--scene-json", jsonPath, dir.File("missing.skpm")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Error: Can't open SKP file."), std::string::npos) << run.err;
    const json doc =
        testsupport::ReadJson(dir.Path() / "scene.json");  // written for a failed load too
    EXPECT_NE(doc["result"], 0);
    EXPECT_EQ(doc["report"].get<std::string>().find("Error: Can't open SKP file."), 0u);
    EXPECT_TRUE(doc["nodes"].empty());
}

TEST(SkpimportEndToEnd, SampleLoadsIntoAConsistentScene) {
    testsupport::TempFolder dir;
    const std::string jsonPath = dir.File("scene.json");
    const testsupport::ToolRun run =
        testsupport::RunTool(kTool, {"--quiet", "--scene-json", jsonPath, kHouse},
                             {{testsupport::kTempFolderVariable, testsupport::Utf8(dir.Path())}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");  // --quiet
    const json doc = testsupport::ReadJson(dir.Path() / "scene.json");
    EXPECT_EQ(doc["result"], 0);
    EXPECT_EQ(doc["finishCalls"].back(), json::array({"FinishStep2"}));
    const size_t geometries = doc["geometries"].size(), materials = doc["materials"].size();
    for (const json& surface : doc["surfaces"]) {
        EXPECT_LT(surface["geometry"].get<size_t>(), geometries);
        EXPECT_LT(surface["material"].get<size_t>(), materials);
    }
    for (const json& geometry : doc["geometries"]) {
        const size_t vertices = geometry["vertexCount"];
        ASSERT_EQ(geometry["vertices"].size(), vertices);
        EXPECT_EQ(geometry["indices"].size() % 3, 0u);
        for (const json& index : geometry["indices"]) EXPECT_LT(index.get<size_t>(), vertices);
    }
    ASSERT_FALSE(doc["textures"].empty());
    for (const json& texture : doc["textures"]) {
        EXPECT_GT(texture["bytes"].get<int64_t>(), 0);
        EXPECT_EQ(testsupport::PathOf(texture["path"]).parent_path(),
                  dir.Path());  // written into the temporary folder
    }
}

TEST(SkpimportEndToEnd, TimingsNameEveryPhase) {
    testsupport::TempFolder dir;
    const testsupport::ToolRun run =
        testsupport::RunTool(kTool, {"--quiet", "--timings", "--threads", "1", kHouse},
                             {{testsupport::kTempFolderVariable, testsupport::Utf8(dir.Path())}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* phase :
         {"read document", "scan", "walk", "surfaces", "merge", "free leaves", "textures", "total"})
        EXPECT_NE(("\n" + run.err).find(std::string("\n") + phase + " "), std::string::npos)
            << phase << " missing from:\n"
            << run.err;
}

TEST(SkpimportEndToEnd, RefusesALibraryThatIsNotThePlugin) {
    const testsupport::ToolRun run =
        testsupport::RunTool(kTool, {"--plugin", NOT_A_PLUGIN_LIBRARY, kHouse});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("not an import plug-in"), std::string::npos) << run.err;
    const testsupport::ToolRun missing =
        testsupport::RunTool(kTool, {"--plugin", "/nonexistent/libSkpReader.so", kHouse});
    EXPECT_EQ(missing.exitCode, 1);
}

TEST(SkpimportEndToEnd, UsageErrorsExitWithTwo) {
    EXPECT_EQ(testsupport::RunTool(kTool, {}).exitCode, 2);
    EXPECT_EQ(testsupport::RunTool(kTool, {"--threads", "many", kHouse}).exitCode, 2);
    const testsupport::ToolRun gltf = testsupport::RunTool(kTool, {"-o", "/tmp/never.obj", kHouse});
    EXPECT_EQ(gltf.exitCode, 2);
    EXPECT_NE(gltf.err.find(".glb or .gltf"), std::string::npos) << gltf.err;
}

}  // namespace
