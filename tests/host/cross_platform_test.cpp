// The Windows build against this one: skpimport.exe (under Wine) and skpimport import the sample,
// the test documents and a model whose texture names leave ASCII, and must write the same scene
// JSON, apart from the folder the textures went to, and byte for byte the same texture files.
//
// Runs when SKP_WINDOWS_BUILD names a Windows build folder (build-windows: bin/skpimport.exe and
// the wine-run launcher); skipped otherwise. CI's Windows stage sets it. The Linux side's textures
// go to a folder of the test's own; the Windows side's to Wine's temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Side {
    std::string name, program;
    std::vector<std::string> prefix;  // arguments before skpimport's own
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A model whose texture names hold letters outside ASCII: Latin-1, Cyrillic, CJK and a
// character beyond the Basic Multilingual Plane.
json NonAsciiTextureNames() {
    const json pixels = {
        {"width", 3}, {"height", 1}, {"bitsPerPixel", 32}, {"data", "gICA/4CAgP+AgID/"}};
    const char* const names[] = {"Ziegel_\xC3\x96.png", "\xD0\x9A\xD0\xB8.png", "\xE7\x93\xA6.png",
                                 "\xF0\x9F\x8F\xA0.png"};
    json document = {{"modelDocument", 1}};
    for (int i = 0; i < 4; ++i) {
        const std::string name = "M" + std::to_string(i);
        document["materials"].push_back({{"name", name},
                                         {"color", {100, 100, 100, 255}},
                                         {"texture", {{"file", names[i]}, {"pixels", pixels}}}});
        document["entities"]["faces"].push_back(
            {{"outer", {{0, 0, i}, {5, 0, i}, {5, 5, i}, {0, 5, i}}}, {"front", name}});
    }
    return document;
}

class CrossPlatform : public ::testing::Test {
protected:
    void SetUp() override {
        const char* windowsBuild = std::getenv("SKP_WINDOWS_BUILD");
        if (windowsBuild == nullptr || *windowsBuild == '\0')
            GTEST_SKIP() << "SKP_WINDOWS_BUILD names no Windows build to compare with";
        const fs::path build = windowsBuild;
        windows_ = {
            "Windows", (build / "wine-run").string(), {(build / "bin" / "skpimport.exe").string()}};
        ASSERT_TRUE(fs::exists(windows_.prefix[0])) << windows_.prefix[0];
    }

    // Where a file a Windows program named lies here. Wine gives a program started from Linux its
    // own temporary folder, whatever TMP says, so the Windows side's textures are found this way.
    std::string LocalPath(const Side& side, const std::string& path) {
        if (&side == &linux_) return path;
        const testsupport::ToolRun run =
            testsupport::RunTool(side.program, {"winepath", "-u", path});
        EXPECT_EQ(run.exitCode, 0) << path << run.err;
        return run.out.substr(0, run.out.find('\n'));
    }

    // Imports `model` on one side; the scene JSON with every texture path cut to its file name,
    // and the texture files' contents by name, which are then removed.
    json Import(const Side& side, const std::string& model,
                std::map<std::string, std::string>& files) {
        const fs::path temp = dir_.Path() / side.name;
        fs::create_directories(temp);
        const fs::path scene = temp / "scene.json";
        std::vector<std::string> arguments = side.prefix;
        arguments.insert(arguments.end(), {"--quiet", "--scene-json", scene.string(), model});
        const std::map<std::string, std::string> environment = {{"TMPDIR", temp.string()}};
        const testsupport::ToolRun run = testsupport::RunTool(side.program, arguments, environment);
        EXPECT_EQ(run.exitCode, 0) << side.name << " " << model << "\n" << run.err;
        json doc = json::parse(ReadBytes(scene));
        for (json& texture : doc["textures"]) {
            const std::string path = texture["path"];
            const std::string name = path.substr(path.find_last_of("\\/") + 1);
            const std::string local = LocalPath(side, path);
            files[name] = ReadBytes(local);
            fs::remove(local);
            texture["path"] = name;
        }
        fs::remove_all(temp);
        return doc;
    }

    void ExpectSameImport(const std::string& model) {
        std::map<std::string, std::string> linuxFiles, windowsFiles;
        const json linuxScene = Import(linux_, model, linuxFiles);
        const json windowsScene = Import(windows_, model, windowsFiles);
        EXPECT_EQ(linuxScene, windowsScene) << model;
        for (const json& texture : linuxScene["textures"]) {
            const std::string name = texture["path"];
            ASSERT_GT(texture["bytes"].get<int64_t>(), 0) << model << ": " << name;
            EXPECT_EQ(linuxFiles[name].size(), texture["bytes"].get<size_t>()) << name;
            EXPECT_TRUE(linuxFiles[name] == windowsFiles[name])
                << model << ": " << name << " differs";
            ++textures_;
        }
    }

    testsupport::TempFolder dir_;
    Side linux_ = {"Linux", SKPIMPORT_PATH, {}};
    Side windows_;
    size_t textures_ = 0;
};

TEST_F(CrossPlatform, BothBuildsWriteTheSameScenesAndTextures) {
    ExpectSameImport(SAMPLES_DIR "/house.skpm");
    for (const char* document : {"rich", "shed"})
        ExpectSameImport(std::string(TEST_DOCUMENTS) + "/" + document + ".skpm");
    ExpectSameImport(dir_.Write("non-ascii.skpm", NonAsciiTextureNames().dump()));
    EXPECT_GE(textures_, 4u);  // the comparison saw texture files, not only empty lists
}

}  // namespace
