// skpinfo, run as a program: what it counts, and its exit status and message on bad input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "test_support.h"
#include "tool_run.h"

using namespace sutest;

namespace {

ToolRun Skpinfo(const std::vector<std::string>& arguments) {
    return RunTool(SKPINFO_PATH, arguments);
}

// The JSON summary of a document, asserting that skpinfo succeeded.
Json Summary(const Json& document) {
    TempDir dir;
    const ToolRun run = Skpinfo({"--json", dir.Write("model.skpm", document.dump())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.exitCode == 0 ? Json::parse(run.out) : Json();
}

TEST(Skpinfo, CountsEveryDefinitionOnceAndTheRootOnce) {
    const Json shed = Summary(Json::parse(ReadFile(SKETCHUP_TEST_DOCUMENTS "/shed.skpm")));
    // Root: two quads. Window: one quad. Walls: a quad with a quad hole (8 - 2 + 2) and a quad.
    EXPECT_EQ(shed["faces"], 5);
    EXPECT_EQ(shed["triangles"], 2 + 2 + 2 + 8 + 2);
    EXPECT_EQ(shed["meshVertices"], 4 + 4 + 4 + 8 + 4);
    EXPECT_EQ(shed["definitions"], Json({{"component", 1}, {"group", 1}, {"image", 0}}));
    EXPECT_EQ(shed["textures"], 1);

    // Image definitions are reached through images. Root 2 + Chair 2 + Room 1 + Photo 1 faces;
    // triangles 2+1, 3+8, 2, 2; vertices 4+3, 5+8, 4, 4.
    const Json rich = Summary(RichDocument());
    EXPECT_EQ(rich["definitions"]["image"], 1);
    EXPECT_EQ(std::vector<int>({rich["faces"], rich["triangles"], rich["meshVertices"]}),
              std::vector<int>({6, 18, 28}));

    // A failed call is reported, not fatal: the face is counted without its two triangles.
    Json document = RichDocument();
    document["entities"]["faces"][0]["fail"] = {"SUMeshHelperCreate"};
    const Json faulty = Summary(document);
    EXPECT_EQ(std::vector<int>({faulty["faces"], faulty["triangles"]}), std::vector<int>({6, 16}));
    EXPECT_EQ(faulty["failedCalls"].size(), 1u);
}

TEST(Skpinfo, ExitStatusSaysWhatWentWrong) {
    TempDir dir;
    Json document = RichDocument();
    document["layers"][1]["visible"] = 1;
    const ToolRun refused = Skpinfo({dir.Write("bad.skpm", document.dump())});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_THAT(refused.err, testing::HasSubstr("/layers/1/visible: expected true or false"));
    EXPECT_EQ(Skpinfo({}).exitCode, 2);
    EXPECT_EQ(Skpinfo({"--frobnicate", "x.skpm"}).exitCode, 2);
    EXPECT_EQ(Skpinfo({"a.skpm", "b.skpm"}).exitCode, 2);
}

}  // namespace
