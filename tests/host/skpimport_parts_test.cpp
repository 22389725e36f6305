// The host tool's parts: command line, descriptor check, and driving a reader through its slots.

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <stdexcept>

#include "descriptor.h"
#include "host_load.h"
#include "options.h"
#include "summary.h"

namespace {

using skpimport::Options;

bool Parse(std::vector<std::string> arguments, Options& options, std::string& error) {
    return skpimport::ParseOptions(arguments, options, error);
}

TEST(SkpimportOptions, ReadsEveryOption) {
    Options o;
    std::string error;
    ASSERT_TRUE(
        Parse({"--scene-json", "-", "--no-geometry-data", "--config=a=b", "--flag", "--plugin",
               "p.so", "--threads", "3", "--timings", "--quiet", "-o", "out.glb", "house.skp"},
              o, error))
        << error;
    EXPECT_EQ(o.model, "house.skp");
    EXPECT_EQ(o.sceneJson, "-");
    EXPECT_FALSE(o.geometryData);
    EXPECT_EQ(o.config, "a=b");  // only the first '=' separates
    EXPECT_TRUE(o.flag);
    EXPECT_EQ(o.plugin, "p.so");
    EXPECT_EQ(o.threads, 3);
    EXPECT_TRUE(o.timings);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.output, "out.glb");
}

TEST(SkpimportOptions, DefaultsAndDoubleDash) {
    Options o;
    std::string error;
    ASSERT_TRUE(Parse({"--", "-odd name.skp"}, o, error)) << error;
    EXPECT_EQ(o.model, "-odd name.skp");
    EXPECT_TRUE(o.geometryData);
    EXPECT_FALSE(o.flag);
    EXPECT_EQ(o.config, "");
    EXPECT_FALSE(o.sceneJson || o.output || o.plugin || o.threads);
}

TEST(SkpimportOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},                             // no model
        {"a.skp", "b.skp"},             // two models
        {"--bogus", "a.skp"},           // unknown option
        {"a.skp", "--config"},          // missing value
        {"--threads", "0", "a.skp"},    // not positive
        {"--threads", "2x", "a.skp"},   // not a number
        {"--threads=-1", "a.skp"},      //
        {"--flag=yes", "a.skp"},        // a switch with a value
        {"--scene-json", "", "a.skp"},  // no file name
        {""},                           // empty model path
    };
    for (const auto& arguments : bad) {
        Options o;
        std::string error;
        EXPECT_FALSE(Parse(arguments, o, error)) << testing::PrintToString(arguments);
        EXPECT_FALSE(error.empty());
    }
    Options o;
    std::string error;
    EXPECT_TRUE(Parse({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

ChannelType GoodDescriptor() {
    ChannelType type;
    std::memset(type.name, 0, sizeof type.name);
    std::memcpy(type.name, "SkpReader", 9);
    std::memset(type.displayName, 0, sizeof type.displayName);
    std::memcpy(type.displayName, u"SketchUp", sizeof(u"SketchUp"));
    type.channelId = type.classId =
        GUID{0xE8A59704, 0x9DA7, 0x4DAA, {0xB4, 0x43, 0xF4, 0x5E, 0x66, 0x1F, 0x0E, 0x11}};
    type.interfaceVersion = 1;
    type.instanceCount = 1;
    return type;
}

TEST(SkpimportDescriptor, AcceptsTheSkpReaderAndLeavesHostBytesAlone) {
    EXPECT_EQ(skpimport::CheckDescriptor(GoodDescriptor()), "");
}

TEST(SkpimportDescriptor, RefusesEveryWrongField) {
    std::vector<ChannelType> wrong(7, GoodDescriptor());
    wrong[0].name[9] = 'X';          // "SkpReaderX"
    wrong[1].name[12] = 'J';         // garbage after the NUL
    wrong[2].displayName[0] = u's';  // "sketchUp"
    wrong[3].channelId.Data4[7] = 0x12;
    wrong[4].classId.Data1 = 0;
    wrong[5].interfaceVersion = 2;
    wrong[6].instanceCount = int64_t{1} << 32;  // only the high half set
    for (size_t i = 0; i < wrong.size(); ++i)
        EXPECT_NE(skpimport::CheckDescriptor(wrong[i]), "") << "case " << i;
    ChannelType untouched;  // a plug-in that filled nothing
    EXPECT_NE(skpimport::CheckDescriptor(untouched), "");
}

// A reader laid out as the plug-in's: the host's view of the slots, with behaviour to observe.
class FakeReader : public skpimport::HostChannel {
public:
    enum class Behaviour { kSucceed, kFail, kThrowRuntime, kThrowBadAlloc, kThrowInt };
    explicit FakeReader(Behaviour behaviour) : behaviour_(behaviour) {}

    int LoadFromFile(Importing::SceneContainer& scene, const std::u16string& path,
                     const std::u16string& config, bool flag) override {
        seenPath = path;
        seenConfig = config;
        seenFlag = flag;
        switch (behaviour_) {
            case Behaviour::kSucceed:
                scene.nodes.emplace_back();
                scene.FinishLoad(false, false);
                scene.FinishStep1();
                scene.FinishStep2();
                return 0;
            case Behaviour::kFail:
                report_ = u"Error: Can't open SKP file.";
                return 1;
            case Behaviour::kThrowRuntime:
                throw std::runtime_error("unreadable entities");
            case Behaviour::kThrowBadAlloc:
                throw std::bad_alloc();
            case Behaviour::kThrowInt:
                throw 42;
        }
        return -1;
    }
    std::u16string GetRaport() override { return report_; }
    int Init() override { return 0; }
    int Release() override { return 0; }

    std::u16string seenPath, seenConfig;
    bool seenFlag = false;

private:
    Behaviour behaviour_;
    std::u16string report_;
};

TEST(SkpimportLoad, PassesArgumentsAndKeepsTheResult) {
    FakeReader reader(FakeReader::Behaviour::kSucceed);
    Importing::SceneContainer scene;
    const auto outcome = skpimport::RunLoad(reader, scene, u"/m/\u00E9.skp", u"cfg", true, 2);
    EXPECT_EQ(reader.seenPath, u"/m/\u00E9.skp");
    EXPECT_EQ(reader.seenConfig, u"cfg");
    EXPECT_TRUE(reader.seenFlag);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_FALSE(outcome.raised);
    EXPECT_EQ(outcome.report, "");
    EXPECT_EQ(scene.GetLoadResult(), 0);
    EXPECT_GE(outcome.milliseconds, 0);
}

TEST(SkpimportLoad, KeepsTheReportOfAFailedLoad) {
    FakeReader reader(FakeReader::Behaviour::kFail);
    Importing::SceneContainer scene;
    const auto outcome = skpimport::RunLoad(reader, scene, u"x", u"", false, 0);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.report, "Error: Can't open SKP file.");
}

TEST(SkpimportLoad, CatchesAndNamesExceptions) {
    const std::pair<FakeReader::Behaviour, std::string> cases[] = {
        {FakeReader::Behaviour::kThrowRuntime, "std::runtime_error: unreadable entities"},
        {FakeReader::Behaviour::kThrowBadAlloc, "std::bad_alloc: std::bad_alloc"},
        {FakeReader::Behaviour::kThrowInt, "int (not a std::exception)"},
    };
    for (const auto& [behaviour, expected] : cases) {
        FakeReader reader(behaviour);
        Importing::SceneContainer scene;
        const auto outcome = skpimport::RunLoad(reader, scene, u"x", u"", false, 0);
        EXPECT_FALSE(outcome.result);
        EXPECT_EQ(outcome.raised, expected);
    }
}

TEST(SkpimportSummary, CountsVerticesAndTrianglesOverGeometries) {
    Importing::SceneContainer scene;
    scene.geometryLibrary.resize(2);
    scene.geometryLibrary[0].vertices.resize(4);
    scene.geometryLibrary[0].indices.resize(6);
    scene.geometryLibrary[1].vertices.resize(3);
    scene.geometryLibrary[1].indices.resize(3);
    scene.nodes.resize(5);
    scene.nodes[2].SetName(u"h\u00e4us");
    scene.rootNodeIndex = 2;
    scene.SetSourceDescription(u"SketchUp");
    scene.SetSourceDescription(u"SketchUp 21.0.339");
    const auto counts = skpimport::CountScene(scene);
    EXPECT_EQ(counts.vertices, 7u);
    EXPECT_EQ(counts.triangles, 3u);
    EXPECT_EQ(counts.nodes, 5u);
    const std::string text = skpimport::SummaryText(counts, 12.34);
    EXPECT_NE(text.find("triangles   3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("12.3 ms"), std::string::npos) << text;
    EXPECT_NE(text.find("source      SketchUp 21.0.339\n"), std::string::npos) << text;
    EXPECT_NE(text.find("root node   h\xc3\xa4us\n"), std::string::npos) << text;
}

}  // namespace
