// The temporary folder the textures go to, as the host tool's user may set it: with characters
// outside the Basic Multilingual Plane, longer than the plug-in takes, missing, a file, or a
// folder no one may write to; and a shared one where others have taken the names the load will
// write. The load completes every time with the same geometry; only the textures may be lost, and
// nothing is written anywhere else.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <fstream>

#include "file_contents.h"
#include "reader_probe.h"
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
        using Importing::testing::GreyPixels;
        model = Importing::testing::WriteDocument(
            folder, "model.skpm",
            reliability::TexturedModel(
                {"wood.png", "photo.jpg", "wide.png"},
                {GreyPixels(3, 32), GreyPixels(3, 24), GreyPixels(261, 32)}));
        fs::create_directories(root / "reference");
        reference = Run(testsupport::Utf8(root / "reference"));
        ASSERT_EQ(reference.run.exitCode, 0) << reference.run.err;
        // One texture for each writer: the library's PNG and JPEG, the plug-in's bitmap.
        std::vector<std::string> extensions;
        for (const json& texture : reference.scene.at("textures")) {
            ASSERT_GT(texture.at("bytes").get<int>(), 0);
            extensions.push_back(
                fs::path(texture.at("path").get<std::string>()).extension().string());
        }
        ASSERT_EQ(extensions, (std::vector<std::string>{".png", ".jpg", ".bmp"}));
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

    testsupport::SystemTempFolder folder;
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
    ASSERT_EQ(import.scene.at("textures").size(), 3u);
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
        ASSERT_EQ(import.scene.at("textures").size(), 3u) << temp;
        for (const json& texture : import.scene.at("textures"))
            EXPECT_EQ(texture.at("bytes"), -1) << temp;
    }
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(testsupport::ReadBytes(file), "keep");
}

// Takes `name` before the load, as someone sharing the folder might.
void Plant(const std::string& kind, const fs::path& name, const fs::path& owned) {
    if (kind == "dangling link") {
        fs::create_symlink(owned.parent_path() / ("followed " + name.filename().string()), name);
    } else if (kind == "link to a file") {
        fs::create_symlink(owned, name);
    } else if (kind == "fifo") {
#if !defined(_WIN32)
        ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0);
#endif
    } else if (kind == "folder") {
        fs::create_directory(name);
    } else {
        std::ofstream(name) << "stale";
        fs::permissions(name, fs::perms(0444));
    }
}

// Each name the load writes is taken before it starts. Nothing is followed and nothing blocks:
// every texture replaces what had its name, and exactly as without the plant, except a folder,
// which stays as it was, empty, its texture lost. A read-only file is replaced too: replacing a
// name is the folder's permission.
TEST_F(TemporaryFolder, NamesTakenBeforeTheLoadAreReplacedNeverFollowed) {
    const fs::path owned = root / "owned";
    std::ofstream(owned) << "the test's own";
    fs::permissions(owned, fs::perms(0640));
    // As the system keeps them: Windows has no group or other bits and answers 0666.
    const fs::perms ownedPerms = fs::status(owned).permissions();
#if defined(_WIN32)  // links, FIFOs and a read-only file replaced by rename are POSIX's
    const std::vector<std::string> kinds = {"folder"};
#else
    const std::vector<std::string> kinds = {"dangling link", "link to a file", "fifo", "folder",
                                            "read-only file"};
#endif
    for (const std::string& kind : kinds) {
        SCOPED_TRACE(kind);
        const fs::path temp = root / kind;
        fs::create_directory(temp);
        before = reliability::FilesUnder(root);
        const json& expected = reference.scene.at("textures");
        for (const json& texture : expected)
            Plant(kind, temp / testsupport::PathOf(texture.at("path")).filename(), owned);
        const reliability::Import import = Run(testsupport::Utf8(temp));
        ExpectCompletedWithoutStrayFiles(import);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(import.scene.at("textures").size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const fs::path path = testsupport::PathOf(import.scene["textures"][i].at("path"));
            const fs::path want = testsupport::PathOf(expected[i].at("path"));
            EXPECT_EQ(path, temp / want.filename());
            if (kind == "folder") {
                EXPECT_EQ(import.scene["textures"][i].at("bytes"), -1);
                EXPECT_TRUE(fs::is_directory(fs::symlink_status(path)) && fs::is_empty(path));
            } else {
                EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << path;
                EXPECT_TRUE(testsupport::ReadBytes(path) == testsupport::ReadBytes(want))
                    << path << " differs from " << want;
            }
        }
        EXPECT_TRUE(testsupport::ReadBytes(owned) == "the test's own")
            << "the test's own file was written";
        EXPECT_EQ(fs::status(owned).permissions(), ownedPerms);
    }
}

}  // namespace
