// skpinfo, run as a program: what it counts, and its exit status and message on bad input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "file_contents.h"
#include "test_support.h"
#include "tool_run.h"

using namespace sutest;

namespace {

testsupport::ToolRun Skpinfo(const std::vector<std::string>& arguments) {
    return testsupport::RunTool(SKPINFO_PATH, arguments);
}

// The JSON summary of a document, asserting that skpinfo succeeded.
Json Summary(const Json& document) {
    testsupport::TempFolder dir;
    const testsupport::ToolRun run = Skpinfo({"--json", dir.Write("model.skpm", document.dump())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.exitCode == 0 ? Json::parse(run.out) : Json();
}

TEST(Skpinfo, CountsEveryDefinitionOnceAndTheRootOnce) {
    const Json shed = Summary(testsupport::ReadJson(SKETCHUP_TEST_DOCUMENTS "/shed.skpm"));
    // Root: two quads. Window: one quad. Walls: a quad with a quad hole (8 - 2 + 2) and a quad.
    EXPECT_EQ(shed["faces"], 5);
    EXPECT_EQ(shed["triangles"], 2 + 2 + 2 + 8 + 2);
    EXPECT_EQ(shed["meshVertices"], 4 + 4 + 4 + 8 + 4);
    EXPECT_EQ(shed["definitions"], Json({{"component", 1}, {"group", 1}, {"image", 0}}));
    EXPECT_EQ(shed["textures"], 1);
}

// The counts are what the document holds whatever its fail lists say; each list is named with its
// calls and what they would hide from a caller, charged to the outermost list that cuts it off.
TEST(Skpinfo, FailListsAreReportedWithWhatTheyWouldHide) {
    Json document = RichDocument();
    document["fail"] = {"SUModelGetVersion", "SUModelGetEntities"};
    document["materials"][2]["fail"] = {"SUMaterialGetColor"};
    document["entities"]["faces"][1]["fail"] = {"SUMeshHelperCreate"};
    document["definitions"][0]["fail"] = {"SUComponentDefinitionGetEntities"};
    const Json summary = Summary(document);
    // Image definitions are reached through images. Root 2 + Chair 2 + Room 1 + Photo 1 faces;
    // triangles 2+1, 3+8, 2, 2; vertices 4+3, 5+8, 4, 4.
    EXPECT_EQ(summary["definitions"]["image"], 1);
    EXPECT_EQ(std::vector<int>({summary["faces"], summary["triangles"], summary["meshVertices"]}),
              std::vector<int>({6, 18, 28}));
    EXPECT_EQ(summary["version"], Json({23, 1, 340}));
    EXPECT_EQ(summary["failedCalls"], Json::array());
    // The root's 2 faces, group, 2 instances and image, and the image's definition reached only
    // through it (Photo: 1 face of 2 triangles); the root face's own list is cut off with it.
    const Json root = {{"faces", 3},     {"triangles", 5}, {"mesh vertices", 11},   {"groups", 1},
                       {"instances", 2}, {"images", 1},    {"image definitions", 1}};
    const Json chair = {{"faces", 2}, {"triangles", 11}, {"mesh vertices", 13}};
    const Json expected = {{{"object", "the document"},
                            {"calls", {"SUModelGetVersion", "SUModelGetEntities"}},
                            {"hides", root}},
                           {{"object", "material \"Grün 🌲\""},
                            {"calls", {"SUMaterialGetColor"}},
                            {"hides", Json::object()}},
                           {{"object", "face 1 of the root entities"},
                            {"calls", {"SUMeshHelperCreate"}},
                            {"hides", Json::object()}},
                           {{"object", "definition \"Chair\""},
                            {"calls", {"SUComponentDefinitionGetEntities"}},
                            {"hides", chair}}};
    EXPECT_EQ(summary["faultLists"], expected) << summary["faultLists"].dump(2);

    // Without the document's list, the face's list hides the triangle of its own mesh.
    document.erase("fail");
    const Json faceOnly = Summary(document)["faultLists"][1];
    EXPECT_EQ(faceOnly["hides"], Json({{"triangles", 1}, {"mesh vertices", 3}}));
    testsupport::TempFolder dir;
    const testsupport::ToolRun text = Skpinfo({dir.Write("model.skpm", document.dump())});
    EXPECT_THAT(text.out, testing::HasSubstr("all definitions and root: 6 faces, 18 triangles"));
    EXPECT_THAT(text.out,
                testing::HasSubstr("  face 1 of the root entities: SUMeshHelperCreate; would hide "
                                   "mesh vertices 3, triangles 1\n"));
    EXPECT_THAT(text.out, testing::HasSubstr("  material \"Grün 🌲\": SUMaterialGetColor; would "
                                             "hide none of the counts\n"));
}

TEST(Skpinfo, ExitStatusSaysWhatWentWrong) {
    testsupport::TempFolder dir;
    Json document = RichDocument();
    document["layers"][1]["visible"] = 1;
    const testsupport::ToolRun refused = Skpinfo({dir.Write("bad.skpm", document.dump())});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_THAT(refused.err, testing::HasSubstr("/layers/1/visible: expected true or false"));
    EXPECT_EQ(Skpinfo({}).exitCode, 2);
    EXPECT_EQ(Skpinfo({"--frobnicate", "x.skpm"}).exitCode, 2);
    EXPECT_EQ(Skpinfo({"a.skpm", "b.skpm"}).exitCode, 2);
}

}  // namespace
