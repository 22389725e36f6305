// The host tool's summary of a loaded scene.

#include <gtest/gtest.h>

#include "summary.h"

namespace {

TEST(SkpimportSummary, CountsVerticesAndTrianglesAndNamesSourceAndRoot) {
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
