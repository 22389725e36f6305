// skpinfo, run as a program: what it counts, and its exit status and message on bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "test_support.h"

using namespace sutest;

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Skpinfo(const std::string& arguments) {
    TempDir dir;
    const std::string errPath = (dir.path() / "stderr").string();
    const std::string command = std::string(SKPINFO_PATH) + " " + arguments + " 2>" + errPath;
    ToolRun run{};
    FILE* pipe = ::popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    return run;
}

TEST(Skpinfo, CountsEveryDefinitionOnceAndTheRootOnce) {
    const ToolRun run = Skpinfo("--json " SKETCHUP_TEST_DOCUMENTS "/shed.skpm");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json summary = Json::parse(run.out);
    // Root: two quads. Window: one quad. Walls: a quad with a quad hole (8 - 2 + 2) and a quad.
    EXPECT_EQ(summary["faces"], 5);
    EXPECT_EQ(summary["triangles"], 2 + 2 + 2 + 8 + 2);
    EXPECT_EQ(summary["meshVertices"], 4 + 4 + 4 + 8 + 4);
    EXPECT_EQ(summary["definitions"]["component"], 1);
    EXPECT_EQ(summary["definitions"]["group"], 1);
    EXPECT_EQ(summary["textures"], 1);
    EXPECT_EQ(summary["version"], Json({21, 0, 339}));
}

TEST(Skpinfo, ImageDefinitionsAreReachedThroughImages) {
    TempDir dir;
    const std::string path = dir.Write("rich.skpm", RichDocument().dump());
    const ToolRun run = Skpinfo("--json " + path);
    ASSERT_EQ(run.status, 0) << run.err;
    const Json summary = Json::parse(run.out);
    EXPECT_EQ(summary["definitions"]["image"], 1);
    // Root 2 + Chair 2 + Room 1 + Photo 1 faces; triangles 2+1, 3+8, 2, 2; vertices 4+3, 5+8, 4, 4.
    EXPECT_EQ(summary["faces"], 6);
    EXPECT_EQ(summary["triangles"], 18);
    EXPECT_EQ(summary["meshVertices"], 28);
}

TEST(Skpinfo, FailedCallsAreReportedNotFatal) {
    TempDir dir;
    Json document = RichDocument();
    document["entities"]["faces"][0]["fail"] = {"SUMeshHelperCreate"};
    const ToolRun run = Skpinfo("--json " + dir.Write("faulty.skpm", document.dump()));
    ASSERT_EQ(run.status, 0) << run.err;
    const Json summary = Json::parse(run.out);
    EXPECT_EQ(summary["faces"], 6);
    EXPECT_EQ(summary["triangles"], 16);
    EXPECT_EQ(summary["failedCalls"].size(), 1u);
}

TEST(Skpinfo, RefusedDocumentExitsOneWithThePlace) {
    TempDir dir;
    Json document = RichDocument();
    document["layers"][1]["visible"] = 1;
    const ToolRun run = Skpinfo(dir.Write("bad.skpm", document.dump()));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("/layers/1/visible: expected true or false"), std::string::npos)
        << run.err;
}

TEST(Skpinfo, UsageErrorsExitTwo) {
    EXPECT_EQ(Skpinfo("").status, 2);
    EXPECT_EQ(Skpinfo("--frobnicate x.skpm").status, 2);
    EXPECT_EQ(Skpinfo("a.skpm b.skpm").status, 2);
}

}  // namespace
