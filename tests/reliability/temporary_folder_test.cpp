// The temporary folder the textures go to, as the host tool's user may set it: with characters
// outside the Basic Multilingual Plane, longer than the plug-in takes, missing, a file, or a
// folder no one may write to. The load completes every time with the same geometry; only the
// textures may be lost, and nothing is written anywhere else.
#include <gtest/gtest.h>

#include <fstream>

#include "ReaderProbe.h"
#include "reliability_support.h"
#include "test_platform.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class TemporaryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(cwd);
        fs::create_directories(out);
        model = folder.Write("model.skpm", reliability::TexturedModel({"wood.png", "stone.png"}));
        fs::create_directories(root / "reference");
        reference = Run(testsupport::Utf8(root / "reference"));
        ASSERT_EQ(reference.run.exitCode, 0) << reference.run.err;
        ASSERT_EQ(reference.scene.at("textures").size(), 2u);
        for (const json& texture : reference.scene.at("textures"))
            ASSERT_GT(texture.at("bytes").get<int>(), 0);
        before = reliability::FilesUnder(root);
    }

    reliability::Import Run(const std::string& tmpdir) {
        const fs::path sceneFile = out / ("scene" + std::to_string(runs++) + ".json");
        return reliability::RunImport(testsupport::Utf8(model), tmpdir, cwd, sceneFile);
    }

    // The load completed, agrees with the reference apart from textures, and added no file but
    // its scene JSON and the texture files it lists. The files are then taken as they are now.
    void ExpectCompletedWithoutStrayFiles(const reliability::Import& import) {
        ASSERT_FALSE(import.run.timedOut);
        EXPECT_EQ(import.run.exitCode, 0) << import.run.err;
        ASSERT_TRUE(import.scene.is_object());
        EXPECT_EQ(import.scene.at("report"), "");
        EXPECT_EQ(reliability::WithoutTextures(import.scene),
                  reliability::WithoutTextures(reference.scene));
        std::vector<fs::path> expected = before;
        expected.push_back(out / ("scene" + std::to_string(runs - 1) + ".json"));
        for (const json& texture : import.scene.at("textures"))
            if (texture.at("bytes").get<int>() >= 0)
                expected.push_back(testsupport::PathOf(texture.at("path")));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(reliability::FilesUnder(root), expected);
        EXPECT_TRUE(fs::is_empty(cwd));
        before = reliability::FilesUnder(root);
    }

    Importing::testing::TestFolder folder;
    const fs::path root = folder.Path();
    const fs::path cwd = root / "cwd", out = root / "out";
    fs::path model;
    int runs = 0;
    reliability::Import reference;
    std::vector<fs::path> before;
};

TEST_F(TemporaryFolder, CharactersOutsideTheBasicPlaneAreKept) {
    const fs::path temp =
        root / testsupport::PathOf("t\xF0\x9F\x8F\xA0 \xF0\x9D\x84\x9E");  // U+1F3E0, U+1D11E
    fs::create_directories(temp);
    const reliability::Import import = Run(testsupport::Utf8(temp));
    ExpectCompletedWithoutStrayFiles(import);
    ASSERT_EQ(import.scene.at("textures").size(), 2u);
    for (const json& texture : import.scene.at("textures")) {
        EXPECT_EQ(testsupport::PathOf(texture.at("path")).parent_path(), temp);
        EXPECT_GT(texture.at("bytes").get<int>(), 0);
    }
}

#if !defined(_WIN32)  // Windows' file calls take no path past MAX_PATH without the \\?\ prefix
// A folder longer than the plug-in's path buffer: no texture is exported (a bare name would land
// in the working folder), and the materials show their colours.
TEST_F(TemporaryFolder, LongerThanThePathBufferExportsNoTextures) {
    const fs::path temp =
        root / std::string(100, 'a') / std::string(100, 'b') / std::string(100, 'c');
    fs::create_directories(temp);
    ASSERT_GT(testsupport::Utf8(temp).size(), 260u);
    const reliability::Import import = Run(testsupport::Utf8(temp));
    ExpectCompletedWithoutStrayFiles(import);
    EXPECT_TRUE(import.scene.at("textures").empty());
    for (const json& surface : import.scene.at("surfaces"))
        EXPECT_EQ(surface["maps"]["DIFFUSE"], -1);
    EXPECT_TRUE(fs::is_empty(temp));
}
#endif

// Missing, a regular file, and (on Linux) a folder even root cannot create files in: every
// texture is listed but none is written, and the missing folder is not made.
TEST_F(TemporaryFolder, UnwritableFoldersLoseOnlyTheTextures) {
    const fs::path missing = root / "missing";
    const fs::path file = root / "file";
    std::ofstream(file) << "keep";
    before = reliability::FilesUnder(root);
    std::vector<std::string> folders = {testsupport::Utf8(missing), testsupport::Utf8(file)};
#if !defined(_WIN32)
    folders.push_back("/proc");
#endif
    for (const std::string& temp : folders) {
        const reliability::Import import = Run(temp);
        ExpectCompletedWithoutStrayFiles(import);
        ASSERT_EQ(import.scene.at("textures").size(), 2u) << temp;
        for (const json& texture : import.scene.at("textures"))
            EXPECT_EQ(texture.at("bytes"), -1) << temp;
    }
    EXPECT_FALSE(fs::exists(missing));
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
}

}  // namespace
