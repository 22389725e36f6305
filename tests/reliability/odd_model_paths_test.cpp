// Model paths a user may hand the host tool: names outside the Basic Multilingual Plane and long
// paths load; folders, devices, a pipe no one writes to, links that lead nowhere and paths the
// system cannot take are refused at once with the open error, and write nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ReaderProbe.h"
#include "reliability_support.h"

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
        return reliability::RunImport(model, temp.string(), cwd, root / "scene.json");
    }

    Importing::testing::TestFolder folder;
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
        {"-dash/with 'quotes' \"and\" $signs.skpm", "with 'quotes' \"and\" $signs"},
    };
    for (const Case& c : cases) {
        const fs::path model = folder.Write(c.relative, document);
        const reliability::Import import = Run(model.string());
        ASSERT_FALSE(import.run.timedOut) << c.relative;
        EXPECT_EQ(import.run.exitCode, 0) << c.relative << import.run.err;
        ASSERT_TRUE(import.scene.is_object()) << c.relative;
        EXPECT_EQ(import.scene["nodes"][0]["name"], c.rootName);
        ASSERT_EQ(import.scene["textures"].size(), 1u);
        EXPECT_GT(import.scene["textures"][0]["bytes"].get<int>(), 0) << c.relative;
    }
    EXPECT_GT(cases[1].relative.size() + root.string().size(), 260u);
}

TEST_F(OddModelPaths, ThingsThatAreNotModelFilesAreRefusedAtOnce) {
    const fs::path model = folder.Write("model.skpm", document);
    const fs::path fifo = root / "pipe.skpm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(root / "nowhere.skpm", root / "dangling.skpm");
    fs::create_symlink(root / "loop.skpm", root / "loop.skpm");
    std::string overlong = root.string();  // the model itself, named past PATH_MAX
    while (overlong.size() <= 4096) overlong += "/.";
    std::vector<std::string> paths = {
        root.string(),
        "/dev/zero",
        "/dev/null",
        fifo.string(),
        (root / "dangling.skpm").string(),
        (root / "loop.skpm").string(),
        (model / "inside.skpm").string(),
        overlong + "/model.skpm",
        (root / (std::string(300, 'n') + ".skpm")).string(),
        (root / "missing.skpm").string(),
    };
    if (::geteuid() != 0) {  // permissions do not stop root
        const fs::path locked = folder.Write("locked.skpm", document);
        fs::permissions(locked, fs::perms::none);
        paths.push_back(locked.string());
    }
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
    EXPECT_EQ(Run(model.string()).run.exitCode, 0);  // and the model itself loads
}

}  // namespace
