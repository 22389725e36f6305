// skpimport with the built plug-in, run as a user runs it.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <tuple>

#include "file_contents.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "tool_run.h"

namespace {

using nlohmann::json;

const std::string kTool = SKPIMPORT_PATH;
const std::string kHouse = std::string(SAMPLES_DIR) + "/house.skpm";

// The sample, quiet but timed: a consistent scene, its textures in the temporary folder, and a
// line on standard error for every phase of the load.
TEST(SkpimportEndToEnd, SampleLoadsIntoAConsistentSceneAndTimesEveryPhase) {
    testsupport::TempFolder dir;
    const testsupport::ToolRun run = testsupport::RunTool(
        kTool, {"--quiet", "--timings", "--scene-json", dir.File("scene.json"), kHouse},
        {{testsupport::kTempFolderVariable, testsupport::Utf8(dir.Path())}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");  // --quiet
    for (const char* phase :
         {"read document", "scan", "walk", "surfaces", "merge", "free leaves", "textures", "total"})
        EXPECT_NE(("\n" + run.err).find(std::string("\n") + phase + " "), std::string::npos)
            << phase << " missing from:\n"
            << run.err;
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
        EXPECT_EQ(testsupport::PathOf(texture["path"]).parent_path(), dir.Path());
    }
}

// A library that is not the plug-in, or none, exits with 1 and says so; a usage error with 2.
TEST(SkpimportEndToEnd, RefusalsExitWithTheirStatus) {
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"--plugin", NOT_A_PLUGIN_LIBRARY, kHouse}, 1, "not an import plug-in"},
        {{"--plugin", "/nonexistent/libSkpReader.so", kHouse}, 1, "/nonexistent/libSkpReader.so"},
        {{}, 2, "Try 'skpimport --help'"},
        {{"--threads", "many", kHouse}, 2, "--threads needs a positive whole number"},
    };
    for (const auto& [arguments, exitCode, message] : cases) {
        const testsupport::ToolRun run = testsupport::RunTool(kTool, arguments);
        EXPECT_EQ(run.exitCode, exitCode) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

}  // namespace
