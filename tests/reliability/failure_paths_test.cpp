// Failed loads of every kind, one after another on the same reader and through the host tool:
// each ends as it should, leaves nothing held or running (every object made through the SketchUp
// library released), and the next load is whole. The ASan
// build runs these with leak detection, in this process and in the host tool's.
#include <Importing/SceneJson.h>
#include <gtest/gtest.h>
#include <skpm/document_error.h>
#include <skptext/utf.h>

#include <optional>
#include <sstream>
#include <stdexcept>

#include "reader_probe.h"
#include "reliability_support.h"
#include "test_platform.h"

namespace {

namespace fs = std::filesystem;
using Importing::SceneContainer;
using Importing::testing::ReaderProbe;
using Importing::testing::Wide;
using Importing::testing::WriteDocument;
using nlohmann::json;

enum class Outcome { OpenError, Raises, RangeError };

struct FailingLoad {
    const char* what;
    std::u16string path;
    Outcome outcome;
};

std::string Summary(const SceneContainer& scene) {
    std::ostringstream text;
    Importing::WriteSceneJson(text, scene, Importing::SceneJsonInfo{}, true);
    return reliability::WithoutTextures(json::parse(text.str())).dump();
}

std::size_t WrittenTextures(const SceneContainer& scene) {
    std::size_t written = 0;
    for (const std::u16string& path : scene.textureLibrary)
        written += fs::exists(testsupport::PathOf(skptext::ToUtf8(path)));
    return written;
}

class FailurePaths : public ::testing::Test {
protected:
    void SetUp() override {
        good = Wide(WriteDocument(folder, "good.skpm", Textured()));
        json options = Textured();
        options["fail"] = {"SUModelGetRenderingOptions"};
        // The texture worker is running and the leaf records of the root faces exist when the
        // group's entities turn out unreadable.
        json group = Textured();
        group["definitions"] = {testsupport::Definition("G", "group", json::object())};
        group["entities"]["groups"] = {{{"definition", "G"}, {"fail", {"SUGroupGetEntities"}}}};
        failures = {
            {"missing file", Wide(folder.Path() / "missing.skpm"), Outcome::OpenError},
            {"malformed document", Wide(folder.Write("broken.skpm", "{\"modelDocument\": 1, ")),
             Outcome::OpenError},
            {"folder", Wide(folder.Path()), Outcome::OpenError},
            {"unreadable options", Wide(WriteDocument(folder, "options.skpm", options)),
             Outcome::Raises},
            {"unreadable group", Wide(WriteDocument(folder, "group.skpm", group)), Outcome::Raises},
            {"lone surrogate", good + char16_t(0xD800), Outcome::RangeError},
        };
    }

    static json Textured() { return reliability::TexturedModel({"wood.png", "stone.jpg"}); }

    // Runs the failing load and checks how it ended and that nothing of it is held.
    void Fail(ReaderProbe& reader, const FailingLoad& failure) {
        SceneContainer scene;
        const std::size_t liveBefore = SKPMGetLiveObjectCount();
        std::optional<int> result;
        bool raisedRange = false, raised = false;
        try {
            result = reader.LoadFromFile(scene, failure.path, u"", false);
        } catch (const std::range_error&) {
            raisedRange = true;
        } catch (const std::exception&) {
            raised = true;
        }
        switch (failure.outcome) {
            case Outcome::OpenError:
                EXPECT_EQ(result, -1) << failure.what;
                EXPECT_EQ(reader.GetRaport(), u"Error: Can't open SKP file.\n") << failure.what;
                break;
            case Outcome::Raises:
                EXPECT_TRUE(raised) << failure.what;
                EXPECT_EQ(reader.GetRaport(), u"") << failure.what;
                break;
            case Outcome::RangeError:
                EXPECT_TRUE(raisedRange) << failure.what;
                break;
        }
        EXPECT_FALSE(reader.materials.IsTextureWorkerRunning()) << failure.what;
        EXPECT_EQ(reader.model.ptr, nullptr) << failure.what;
        EXPECT_FALSE(reader.HoldsWalkRecords()) << failure.what;
        EXPECT_TRUE(reader.materials.records.empty()) << failure.what;
        EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore) << failure.what;
    }

    // A whole load of the good model, textures written.
    void ExpectGoodLoad(ReaderProbe& reader, const char* after) {
        SceneContainer scene;
        const std::size_t liveBefore = SKPMGetLiveObjectCount();
        ASSERT_EQ(reader.LoadFromFile(scene, good, u"", false), 0) << after;
        EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore) << after;
        EXPECT_EQ(reader.GetRaport(), u"") << after;
        EXPECT_EQ(Summary(scene), reference) << after;
        EXPECT_EQ(WrittenTextures(scene), 2u) << after;
    }

    testsupport::SystemTempFolder folder;
    std::u16string good;
    std::vector<FailingLoad> failures;
    std::string reference;
};

TEST_F(FailurePaths, EachFailureLeavesTheReaderReadyForAWholeLoad) {
    ReaderProbe reader;
    {
        SceneContainer scene;
        ASSERT_EQ(reader.LoadFromFile(scene, good, u"", false), 0);
        reference = Summary(scene);
    }
    for (const FailingLoad& failure : failures) {
        Fail(reader, failure);
        Fail(reader, failure);  // twice in a row
        ExpectGoodLoad(reader, failure.what);
    }
}

// The reader goes away right after the failure, with nothing loaded since; and a copy taken
// then is as idle as its source.
TEST_F(FailurePaths, ReaderDestroyedAfterAFailedLoad) {
    for (const FailingLoad& failure : failures) {
        auto reader = std::make_unique<ReaderProbe>();
        Fail(*reader, failure);
        ReaderProbe copy(*reader);
        EXPECT_FALSE(copy.materials.IsTextureWorkerRunning()) << failure.what;
        reader.reset();
    }
}

// The host tool loads the plug-in library and meets the same failures: the report or the raised
// exception, exit status 1, and (in the ASan build) no leak in its process.
TEST_F(FailurePaths, HostToolReportsEveryFailureAndExitsCleanly) {
    const fs::path temp = folder.Path() / "temp", cwd = folder.Path() / "cwd";
    fs::create_directories(temp);
    fs::create_directories(cwd);
    for (const FailingLoad& failure : failures) {
        if (failure.outcome == Outcome::RangeError) continue;  // a host path is UTF-8 already
        const reliability::Import import =
            reliability::RunImport(skptext::ToUtf8(failure.path), testsupport::Utf8(temp), cwd,
                                   folder.Path() / "scene.json");
        ASSERT_FALSE(import.run.timedOut) << failure.what;
        EXPECT_EQ(import.run.exitCode, 1) << failure.what << "\n" << import.run.err;
        ASSERT_TRUE(import.scene.is_object()) << failure.what;
        if (failure.outcome == Outcome::Raises) {
            EXPECT_TRUE(import.scene["result"].is_null()) << failure.what;
            EXPECT_TRUE(import.scene["raised"].is_string()) << failure.what;
        } else {
            EXPECT_EQ(import.scene["result"], -1) << failure.what;
            EXPECT_EQ(import.scene["report"], "Error: Can't open SKP file.\n") << failure.what;
        }
        EXPECT_TRUE(fs::is_empty(cwd));
    }
}

}  // namespace
