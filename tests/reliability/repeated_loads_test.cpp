// Loads with textures to export, many in one process and many processes in a row: every one ends.
// The texture worker starts and stops in each load, the parallel runtime's workers stay between
// loads, and the plug-in library is loaded and let go as a host does; none of it may hang, at a
// load's end or at the process's.
#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host_channel.h"
#include "plugin_library.h"
#include "reader_probe.h"
#include "reliability_support.h"
#include "test_platform.h"

namespace {

namespace fs = std::filesystem;

nlohmann::json ModelWithTextures() {
    return reliability::TexturedModel({"wood.png", "stone.png", "Ziegel_\xC3\x96.png", "tile.png"});
}

// The host's way: a reader made by the plug-in library's InitDLL and driven by slot, `loads`
// times. The number of loads that completed with every texture listed.
SKPIMPORT_CALLS_BY_SLOT int LoadThroughThePlugin(const skpimport::PluginLibrary& library,
                                                 const std::u16string& model, int loads) {
    std::string error;
    auto* initDll = reinterpret_cast<void* (*)()>(library.Symbol("InitDLL", error));
    if (initDll == nullptr) return 0;
    auto* reader = static_cast<skpimport::HostChannel*>(initDll());
    reader->Init();
    int completed = 0;
    for (int load = 0; load < loads; ++load) {
        Importing::SceneContainer scene;
        const int result = reader->LoadFromFile(scene, model, u"", false);
        completed += result == 0 && scene.textureLibrary.size() == 4;
    }
    reader->Release();
    delete reader;
    return completed;
}

TEST(RepeatedLoads, ManyLoadsInOneProcessEachEnd) {
    testsupport::SystemTempFolder folder;
    const std::u16string model = Importing::testing::Wide(
        Importing::testing::WriteDocument(folder, "model.skpm", ModelWithTextures()));
    for (int round = 0; round < 20; ++round) {
        std::string error;
        const auto library = skpimport::PluginLibrary::Open(SKP_PLUGIN_PATH, error);
        ASSERT_NE(library, nullptr) << error;
        ASSERT_EQ(LoadThroughThePlugin(*library, model, 3), 3) << "round " << round;
    }
    // Each reader numbers its materials from 1 on, through its three loads: 3 x 4 file names, each
    // written again by every reader.
    size_t textures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.Path()))
        textures += entry.path().extension() == ".png" && entry.file_size() > 0;
    EXPECT_EQ(textures, 12u);
}

TEST(RepeatedLoads, ManyProcessesInARowEachEnd) {
    testsupport::SystemTempFolder folder;
    const fs::path temp = folder.Path() / "temp", cwd = folder.Path() / "cwd";
    fs::create_directories(temp);
    fs::create_directories(cwd);
    const std::string model = testsupport::Utf8(
        Importing::testing::WriteDocument(folder, "model.skpm", ModelWithTextures()));
    for (int run = 0; run < 30; ++run) {
        const reliability::Import import = reliability::RunImport(
            model, testsupport::Utf8(temp), cwd, folder.Path() / "scene.json");
        ASSERT_FALSE(import.run.timedOut) << "run " << run << " did not end";
        ASSERT_EQ(import.run.exitCode, 0) << run << "\n" << import.run.err;
        ASSERT_EQ(import.scene["textures"].size(), 4u);
        for (const nlohmann::json& texture : import.scene["textures"])
            ASSERT_GT(texture["bytes"].get<int>(), 0) << run << " " << texture["path"];
    }
}

}  // namespace
