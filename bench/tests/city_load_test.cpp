// The measurements on a small generated city: what the plug-in, Assimp and the SketchUp library
// report must describe the same model, and bench_load must fail loudly when they do not.
#include <city_model.h>
#include <gtest/gtest.h>
#include <load/assimp_load.h>
#include <load/child.h>
#include <load/model_memory.h>
#include <load/plugin_load.h>
#include <load/triangle_check.h>
#include <model_gltf.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "temp_folder.h"
#include "tool_run.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

skpmgen::CityParameters SmallCity(uint32_t seed) {
    return {.definitions = 6,
            .facesPerDefinition = 24,
            .instances = 150,
            .depth = 3,
            .mirroredShare = 0.3,
            .seed = seed};
}

class CityLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_.emplace("bench_load_test_");
        Write(SmallCity(1), Model(), Gltf());
        Write(SmallCity(2), folder_->Path() / "other_defaultsingle.skpm", OtherGltf());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static void Write(const skpmgen::CityParameters& city, const fs::path& model,
                      const fs::path& gltf) {
        std::ofstream(model) << skpmgen::MakeCityDocument(city).dump();
        std::string error;
        if (!skpmgen::WriteModelGltf(model, gltf, error)) throw std::runtime_error(error);
    }
    static fs::path Model() { return folder_->Path() / "city_defaultsingle.skpm"; }
    static fs::path Gltf() { return folder_->Path() / "city.glb"; }
    static fs::path OtherGltf() { return folder_->Path() / "other.glb"; }

    static std::optional<testsupport::TempFolder> folder_;
};
std::optional<testsupport::TempFolder> CityLoad::folder_;

TEST_F(CityLoad, PluginAndAssimpPlaceTheSameTrianglesPerMaterial) {
    const Record one = RunInChild([] { return MeasurePluginLoad(SKPREADER_PLUGIN, Model(), 1); });
    const Record two = RunInChild([] { return MeasurePluginLoad(SKPREADER_PLUGIN, Model(), 2); });
    EXPECT_GT(one.Require("triangles"), 0);
    EXPECT_GE(one.trianglesByMaterial.size(), 3u);
    EXPECT_EQ(one.Require("output bytes"),
              32 * one.Require("vertices") + 4 * one.Require("indices"));
    EXPECT_GE(one.Require("peak bytes"), one.Require("output bytes"));
    for (const char* phase : {"read document s", "scan s", "walk s", "merge s", "total s"})
        EXPECT_LE(one.Require(phase), one.Require("total s")) << phase;
    EXPECT_TRUE(CompareTriangles(one.trianglesByMaterial, two.trianglesByMaterial, "2").empty());
#ifdef BENCH_HAVE_ASSIMP
    const Record split = RunInChild([] { return MeasureAssimpReadThenFlatten(Gltf()); });
    const Record together = RunInChild([] { return MeasureAssimpTogether(Gltf()); });
    for (const Record* assimp : {&split, &together}) {
        for (const auto& line :
             CompareTriangles(one.trianglesByMaterial, assimp->trianglesByMaterial, "Assimp"))
            ADD_FAILURE() << line;
    }
    EXPECT_EQ(split.Require("triangles"), one.Require("triangles"));
#endif
}

TEST_F(CityLoad, ModelInMemoryCountsEveryPlacedFace) {
    const Record record = RunInChild([] { return MeasureModelInMemory(Model()); });
    const skpmgen::CityCounts counts = skpmgen::CountCity(SmallCity(1));
    EXPECT_EQ(record.Require("placed faces"), double(counts.placedFaceSides / 2));
    EXPECT_GT(record.Require("rss growth bytes"), 0);
    EXPECT_THROW(RunInChild([] { return MeasureModelInMemory(folder_->Path() / "none.skpm"); }),
                 std::runtime_error);
    EXPECT_THROW(RunInChild([] {
                     return MeasurePluginLoad(SKPREADER_PLUGIN, folder_->Path() / "none.skpm", 1);
                 }),
                 std::runtime_error);
}

testsupport::ToolRun RunBenchLoad(const fs::path& model, const fs::path& gltf) {
    return testsupport::RunTool(BENCH_LOAD_TOOL, {model.string(), gltf.string(), "--runs", "1",
                                                  "--plugin", SKPREADER_PLUGIN});
}

TEST_F(CityLoad, ToolPrintsEveryRowAndFailsOnlyOnDifferingTriangles) {
    const testsupport::ToolRun good = RunBenchLoad(Model(), Gltf());
    EXPECT_EQ(good.exitCode, 0) << good.err;
    for (const char* row : {"| plug-in, 1 thread: total |", "| plug-in, 2 threads: merge |",
                            "| model in memory", "| floor: malloc + write the output bytes, 2",
                            "(b) plug-in scan..merge / write floor, 2 threads", "(d) plug-in peak"})
        EXPECT_NE(good.out.find(row), std::string::npos) << row;
#ifdef BENCH_HAVE_ASSIMP
    EXPECT_NE(good.out.find("| Assimp read and flatten together |"), std::string::npos);
    const testsupport::ToolRun bad = RunBenchLoad(Model(), OtherGltf());
    EXPECT_EQ(bad.exitCode, 1) << bad.err;
    EXPECT_NE(bad.err.find("TRIANGLE COUNTS DIFFER"), std::string::npos) << bad.err;
#endif
}

}  // namespace
}  // namespace bench
