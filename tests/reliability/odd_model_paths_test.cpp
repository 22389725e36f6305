// Model paths a user may hand the host tool: names outside the Basic Multilingual Plane and long
// paths load; folders, devices, a pipe no one writes to, links that lead nowhere and paths the
// system cannot take are refused at once with the open error, and write nothing.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "reader_probe.h"
#include "reliability_support.h"
#include "test_platform.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class OddModelPaths : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(temp);
        fs::create_directories(cwd);
    }

    reliability::Import Run(const std::string& model) {
        return reliability::RunImport(model, testsupport::Utf8(temp), cwd, root / "scene.json");
    }

    testsupport::SystemTempFolder folder;
    const fs::path root = folder.Path();
    const fs::path temp = root / "temp", cwd = root / "cwd";
    const json document = reliability::TexturedModel({"wood.png"});
};

TEST_F(OddModelPaths, UnusualButValidPathsLoad) {
    const std::string plane1 = "\xF0\x9F\x8F\xA0\xF0\x9D\x84\x9E";  // U+1F3E0 U+1D11E
    struct Case {
        std::string relative, rootName;
    };
    const Case cases[] = {
        {plane1 + "/Haus " + plane1 + ".skpm", "Haus " + plane1},
        {std::string(120, 'd') + "/" + std::string(120, 'e') + "/" + std::string(200, 'f') +
             ".skpm",
         std::string(200, 'f')},
#if defined(_WIN32)  // a double quote is one of the characters Windows refuses in a name
        {"-dash/with 'quotes' and $signs.skpm", "with 'quotes' and $signs"},
#else
        {"-dash/with 'quotes' \"and\" $signs.skpm", "with 'quotes' \"and\" $signs"},
#endif
    };
    for (const Case& c : cases) {
        const fs::path model = Importing::testing::WriteDocument(folder, c.relative, document);
        const reliability::Import import = Run(testsupport::Utf8(model));
        ASSERT_FALSE(import.run.timedOut) << c.relative;
        EXPECT_EQ(import.run.exitCode, 0) << c.relative << import.run.err;
        ASSERT_TRUE(import.scene.is_object()) << c.relative;
        ASSERT_EQ(import.scene["nodes"].size(), 1u) << c.relative;
        EXPECT_EQ(import.scene["nodes"][0]["name"], c.rootName);
        ASSERT_EQ(import.scene["textures"].size(), 1u);
        EXPECT_GT(import.scene["textures"][0]["bytes"].get<int>(), 0) << c.relative;
    }
    EXPECT_GT(cases[1].relative.size() + testsupport::Utf8(root).size(), 260u);
}

TEST_F(OddModelPaths, ThingsThatAreNotModelFilesAreRefusedAtOnce) {
    const fs::path model = Importing::testing::WriteDocument(folder, "model.skpm", document);
    const testsupport::WaitingPipe pipe(root);
    const auto utf8 = [](const fs::path& path) { return testsupport::Utf8(path); };
    std::vector<std::string> paths = {
        utf8(root),
        testsupport::kDevicePath,
        pipe.Path(),
        utf8(model / "inside.skpm"),
        utf8(root / (std::string(300, 'n') + ".skpm")),
        utf8(root / "missing.skpm"),
    };
#if !defined(_WIN32)  // links, PATH_MAX, a second device and permissions as POSIX has them
    fs::create_symlink(root / "nowhere.skpm", root / "dangling.skpm");
    fs::create_symlink(root / "loop.skpm", root / "loop.skpm");
    std::string overlong = root.string();  // the model itself, named past PATH_MAX
    while (overlong.size() <= 4096) overlong += "/.";
    paths.insert(paths.end(), {"/dev/null", utf8(root / "dangling.skpm"), utf8(root / "loop.skpm"),
                               overlong + "/model.skpm"});
    if (::geteuid() != 0) {  // permissions do not stop root
        const fs::path locked = Importing::testing::WriteDocument(folder, "locked.skpm", document);
        fs::permissions(locked, fs::perms::none);
        paths.push_back(locked.string());
    }
#endif
    for (const std::string& path : paths) {
        const reliability::Import import = Run(path);
        ASSERT_FALSE(import.run.timedOut) << path;
        EXPECT_EQ(import.run.exitCode, 1) << path;
        EXPECT_NE(import.run.err.find("Error: Can't open SKP file."), std::string::npos) << path;
        ASSERT_TRUE(import.scene.is_object()) << path;
        EXPECT_EQ(import.scene["result"], -1) << path;
        EXPECT_TRUE(import.scene["nodes"].empty()) << path;
        EXPECT_TRUE(fs::is_empty(temp)) << path;
        EXPECT_TRUE(fs::is_empty(cwd)) << path;
    }
    EXPECT_EQ(Run(utf8(model)).run.exitCode, 0);  // and the model itself loads
}

}  // namespace
