#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "scene_queries.h"

namespace Importing::testing {
namespace {

using nlohmann::json;

// Inches along x of the leftmost corner of each run of three vertices: of each triangle placed.
std::vector<long> LeftmostCorners(const Geometry& geometry) {
    std::vector<long> inches;
    for (std::size_t v = 0; v + 2 < geometry.vertices.size(); v += 3) {
        const Vertex* corner = &geometry.vertices[v];
        inches.push_back(std::lround(std::min({corner[0].x, corner[1].x, corner[2].x}) / 0.0254f));
    }
    return inches;
}

class TreeWalk : public ::testing::Test {
protected:
    testsupport::SystemTempFolder folder;
};

// A hidden element hides everything below it. Layers of faces count only at the top level: a face
// on a hidden layer (the default layer too) is left out there and placed inside a group.
TEST_F(TreeWalk, HiddenElementsAndLayersLeaveOutWhatTheyHide) {
    json layers = {{{"name", "Layer0"}}, {{"name", "Off"}, {"visible", false}}};
    json hiddenDefault = layers;
    hiddenDefault[0]["visible"] = false;
    json off = Square();
    off["layer"] = "Off";
    json definitions = {
        Definition("Leaf", "component", {{"faces", {Square()}}}),
        Definition("Box", "group",
                   {{"faces", {Square()}}, {"instances", {{{"definition", "Leaf"}}}}}),
        Definition("G", "group", {{"faces", {off}}}),
        Definition("H", "group", {{"faces", {Square()}}})};
    json boxes = {{{"definition", "Box"}, {"hidden", true}}, {{"definition", "Box"}}};
    const std::tuple<json, json, std::size_t> cases[] = {
        // only the visible box: its own square and its leaf's, two sides each
        {{{"groups", boxes}}, layers, 2u * 2u * 4u},
        {{{"faces", {off}}, {"groups", {{{"definition", "G"}}}}}, layers, 8u},
        {{{"faces", {Square()}}, {"groups", {{{"definition", "H"}, {"layer", nullptr}}}}},
         hiddenDefault,
         8u}};
    for (const auto& [top, layerList, vertices] : cases) {
        const auto scene = LoadScene(folder, Document(top, definitions, json::array(), layerList));
        EXPECT_EQ(TotalVertices(*scene), vertices) << top.dump();
    }
}

TEST_F(TreeWalk, MaterialsAreInheritedWhereFacesHaveNone) {
    json definitions = {
        Definition("Inner", "group", {{"faces", {Square(2)}}}),
        Definition("Outer", "group",
                   {{"faces", {Square(), Painted(Square(5), "B")}},
                    {"groups", {{{"definition", "Inner"}}}}}),
        Definition("Part", "component",
                   {{"faces", {Square(4)}}, {"groups", {{{"definition", "Inner"}}}}})};
    json groups = {{{"definition", "Outer"}, {"material", "A"}}};
    json instances = {{{"definition", "Part"}, {"material", "C"}}};
    auto scene =
        LoadScene(folder, Document({{"groups", groups}, {"instances", instances}}, definitions,
                                   {Material("A"), Material("B", 10), Material("C", 30)}));
    // Unpainted square and the inner group's square are A on both sides; B's front is B and its
    // unpainted back inherits A.
    EXPECT_EQ(VerticesOf(*scene, u"A"), 4u * 5u);
    EXPECT_EQ(VerticesOf(*scene, u"B"), 4u);
    // A painted component instance hands its material down as a group does, nested groups too.
    EXPECT_EQ(VerticesOf(*scene, u"C"), 4u * 4u);
    EXPECT_EQ(GeometryOf(*scene, u"Default material"), nullptr);
}

// The face on the default layer takes the group's A on both sides; the face on a layer without
// material falls back to the default layer's material. Their own B is ignored; only the image's
// face keeps its B, on its front (its back has no material of its own).
TEST_F(TreeWalk, ColourByLayerTakesLayerMaterialsButImagesKeepTheirOwn) {
    json layers = {{{"name", "Layer0"}, {"material", "Ground"}},
                   {{"name", "L"}, {"material", "A"}},
                   {{"name", "Bare"}}};
    json bare = Painted(Square(3), "B");
    bare["layer"] = "Bare";
    json definitions = {Definition("G", "group", {{"faces", {Painted(Square(), "B"), bare}}}),
                        Definition("Photo", "image", {{"faces", {Painted(Square(5), "B")}}})};
    json document =
        Document({{"groups", {{{"definition", "G"}, {"layer", "L"}}}},
                  {"images", {{{"definition", "Photo"}, {"layer", "L"}}}}},
                 definitions, {Material("A"), Material("B", 10), Material("Ground", 20)}, layers);
    document["renderingOptions"] = {{"DisplayColorByLayer", true}};
    auto scene = LoadScene(folder, document);
    EXPECT_EQ(VerticesOf(*scene, u"A"), 8u + 4u);  // and the image's back
    EXPECT_EQ(VerticesOf(*scene, u"Ground"), 8u);
    EXPECT_EQ(VerticesOf(*scene, u"B"), 4u);
}

TEST_F(TreeWalk, NestedPlacementsMultiplyInnerFirst) {
    // A point of the inner definition is scaled by B, then moved by A, then lifted by the base.
    json definitions = {
        Definition("Inner", "component",
                   {{"faces", {{{"outer", {{1, 0, 0}, {2, 0, 0}, {2, 1, 0}}}}}}}),
        Definition("Outer", "component",
                   {{"instances", {{{"definition", "Inner"}, {"transform", Scaling(2, 2, 2)}}}}})};
    json instances = {{{"definition", "Outer"}, {"transform", Translation(10, 20, 30)}}};
    json document = Document({{"instances", instances}}, definitions);
    auto scene = LoadScene(folder, document, "single_defaultsingle.skpm");
    const Geometry* geometry = GeometryOf(*scene, u"Default material");
    ASSERT_NE(geometry, nullptr);
    ASSERT_EQ(geometry->vertices.size(), 3u);
    const Vertex& first = geometry->vertices[0];
    EXPECT_FLOAT_EQ(first.x, 12 * 0.0254f);
    EXPECT_FLOAT_EQ(first.y, 30 * 0.0254f + 0.001f);
    EXPECT_FLOAT_EQ(first.z, 20 * 0.0254f);
}

struct SidedCase {
    const char* fileName;
    bool groupPainted;
    bool backPainted;
    std::size_t expectedVertices;
};

// Names each case by what it sets, so that the test's name is the same on every run.
void PrintTo(const SidedCase& c, std::ostream* out) {
    *out << c.fileName << (c.groupPainted ? ", group painted" : "")
         << (c.backPainted ? ", back painted" : "");
}

class Sides : public TreeWalk, public ::testing::WithParamInterface<SidedCase> {};

TEST_P(Sides, BackSidesFollowTheDoubleSidedSettingAndBackMaterials) {
    const SidedCase c = GetParam();
    json face = Square();
    if (c.backPainted) face["back"] = "B";
    json group = {{"definition", "G"}};
    if (c.groupPainted) group["material"] = "A";
    json definitions = {Definition("G", "group", {{"faces", {face}}})};
    auto scene = LoadScene(
        folder, Document({{"groups", {group}}}, definitions, {Material("A"), Material("B")}),
        c.fileName);
    EXPECT_EQ(TotalVertices(*scene), c.expectedVertices);
}

// A model is single-sided when "_defaultsingle." stands anywhere in its path, in any letter case.
INSTANTIATE_TEST_SUITE_P(Settings, Sides,
                         ::testing::Values(SidedCase{"double.skpm", false, false, 8},
                                           SidedCase{"double.skpm", true, false, 8},
                                           SidedCase{"one_defaultsingle.skpm", false, false, 4},
                                           SidedCase{"one_defaultsingle.skpm", true, false, 8},
                                           SidedCase{"one_defaultsingle.skpm", false, true, 8},
                                           SidedCase{"one_DefaultSINGLE.skpm", false, false, 4},
                                           SidedCase{"a_defaultsingle.b/m.skpm", false, false, 4},
                                           SidedCase{"one_defaultsingle", false, false, 8}));

TEST_F(TreeWalk, MirroringOnceFlipsAndTwiceDoesNot) {
    json definitions = {Definition("Door", "component",
                                   {{"faces", {{{"outer", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}}}}})};
    json instances = {{{"definition", "Door"}, {"transform", Scaling(-1, 1, 1)}},
                      {{"definition", "Door"}, {"transform", Scaling(-1, -1, 1)}}};
    // The property is checked on every triangle by LoadScene.
    auto scene = LoadScene(folder, Document({{"instances", instances}}, definitions));
    const Geometry* geometry = GeometryOf(*scene, u"Default material");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->vertices.size(), 12u);
    for (const Vertex& v : geometry->vertices) EXPECT_FLOAT_EQ(std::abs(v.ny), 1.0f);
}

// Each placed face gets a contiguous vertex range of its own, in the order of the collection's
// faces, with its triangles one after another.
TEST_F(TreeWalk, MergedFacesGetRangesInFaceOrderWithoutSharing) {
    json triangle = {{"outer", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}};
    json hexagon = {{"outer", {{2, 0, 0}, {3, 0, 0}, {4, 1, 0}, {3, 2, 0}, {2, 2, 0}, {1, 1, 0}}}};
    auto scene = LoadScene(folder, Document({{"faces", {Square(), triangle, hexagon}}}),
                           "merge_defaultsingle.skpm");
    ASSERT_EQ(scene->geometryLibrary.size(), 1u);
    const Geometry& geometry = scene->geometryLibrary[0];
    ASSERT_EQ(geometry.vertices.size(), 13u);
    ASSERT_EQ(geometry.indices.size(), 3u * (2 + 1 + 4));
    // Square: vertices 0-3, triangles 0-1; triangle: 4-6, triangle 2; hexagon: 7-12, the rest.
    const std::pair<uint32_t, uint32_t> ranges[] = {{0, 3},  {0, 3},  {4, 6}, {7, 12},
                                                    {7, 12}, {7, 12}, {7, 12}};
    std::set<uint32_t> used;
    for (std::size_t t = 0; t < 7; ++t) {
        for (std::size_t k = 0; k < 3; ++k) {
            const uint32_t index = geometry.indices[3 * t + k];
            EXPECT_GE(index, ranges[t].first) << "triangle " << t;
            EXPECT_LE(index, ranges[t].second) << "triangle " << t;
            used.insert(index);
        }
    }
    EXPECT_EQ(used.size(), 13u);  // every vertex used
}

// The geometry holds the placements in the model's order: a collection's own faces, then what
// its instances, groups and images place, each in document order and depth first; hidden
// elements take no room.
TEST_F(TreeWalk, PlacementsFillGeometriesInTheModelsOrder) {
    json triangle = {{"outer", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}};
    json definitions = {
        Definition("T", "component", {{"faces", {triangle}}}),
        Definition("Pair", "component",
                   {{"instances",
                     {{{"definition", "T"}, {"transform", Translation(10, 0, 0)}},
                      {{"definition", "T"}, {"transform", Translation(20, 0, 0)}}}}}),
        Definition(
            "G", "group",
            {{"faces", {triangle}},
             {"instances", {{{"definition", "Pair"}, {"transform", Translation(0, 0, 0)}}}}}),
        Definition("Photo", "image", {{"faces", {triangle}}})};
    json instances = {
        {{"definition", "Pair"}, {"transform", Translation(100, 0, 0)}},
        {{"definition", "T"}, {"transform", Translation(200, 0, 0)}, {"hidden", true}},
        {{"definition", "Pair"}, {"transform", Translation(300, 0, 0)}}};
    json groups = {{{"definition", "G"}, {"transform", Translation(400, 0, 0)}}};
    json images = {{{"definition", "Photo"}, {"transform", Translation(500, 0, 0)}}};
    json top = {
        {"faces", {triangle}}, {"instances", instances}, {"groups", groups}, {"images", images}};
    auto scene = LoadScene(folder, Document(top, definitions), "order_defaultsingle.skpm");
    const Geometry* geometry = GeometryOf(*scene, u"Default material");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(LeftmostCorners(*geometry),
              (std::vector<long>{0, 110, 120, 310, 320, 400, 410, 420, 500}));
}

// The merge cuts a big collection into several pieces filled at once; the geometry still holds
// its faces in order, each side's range after the previous one.
TEST_F(TreeWalk, ABigCollectionKeepsItsFaceOrderAcrossThePiecesOfTheMerge) {
    json faces = json::array();
    for (int i = 0; i < 6000; ++i) {
        faces.push_back({{"outer", {{i, 0, 0}, {i + 1, 0, 0}, {i, 1, 0}}}});
        if (i % 3 == 0) faces.back()["back"] = "B";  // some back sides, under another key
    }
    auto scene = LoadScene(folder, Document({{"faces", faces}}, json::array(), {Material("B")}),
                           "big_defaultsingle.skpm");
    const Geometry* fronts = GeometryOf(*scene, u"Default material");
    const Geometry* backs = GeometryOf(*scene, u"B");
    ASSERT_NE(fronts, nullptr);
    ASSERT_NE(backs, nullptr);
    ASSERT_EQ(fronts->vertices.size(), 3u * 6000);
    ASSERT_EQ(backs->vertices.size(), 3u * 2000);
    for (const auto& [geometry, step] : {std::pair{fronts, 1}, std::pair{backs, 3}}) {
        std::vector<long> inOrder;
        for (std::size_t t = 0; t < geometry->indices.size() / 3; ++t) {
            ASSERT_EQ(geometry->indices[3 * t] / 3, t);  // each triangle in its own range, in order
            inOrder.push_back(static_cast<long>(t * step));
        }
        EXPECT_TRUE(LeftmostCorners(*geometry) == inOrder) << "step " << step;
    }
}

// The default material's surface comes first, before those of materials listed and used earlier.
TEST_F(TreeWalk, FacesWithoutMaterialFillTheDefaultMaterialWhoseSurfaceIsFirst) {
    json document =
        Document({{"faces", {Painted(Square(), "A"), Square(3)}}}, json::array(), {Material("A")});
    auto scene = LoadScene(folder, document);
    ASSERT_EQ(scene->sceneMaterials.size(), 2u);
    ASSERT_EQ(scene->surfaces.size(), 2u);
    ASSERT_EQ(scene->nodes.at(0).surfaceIndices, (std::vector<int>{0, 1}));
    const Surface& first = scene->surfaces[0];
    EXPECT_EQ(scene->sceneMaterials.at(first.GetMaterialId()).GetName(), u"Default material");
    EXPECT_EQ(first.GetMaps().at(0).second, -1);
    // The unpainted square's two sides and the unpainted back of the painted one.
    EXPECT_EQ(scene->geometryLibrary.at(first.GetGeometryId()).vertices.size(), 12u);
}

// A model whose material list cannot be read: the materials its faces are painted with get
// records when they are met, each its own geometry; only the unpainted backs are the default's.
TEST_F(TreeWalk, MaterialsMissingFromTheListStillGetGeometriesOfTheirOwn) {
    json document = Document({{"faces", {Painted(Square(), "A"), Painted(Square(3), "B")}}},
                             json::array(), {Material("A"), Material("B", 10)});
    document["fail"] = {"SUModelGetMaterials"};
    auto scene = LoadScene(folder, document);
    EXPECT_EQ(scene->surfaces.size(), 3u);
    EXPECT_EQ(VerticesOf(*scene, u"A"), 4u);
    EXPECT_EQ(VerticesOf(*scene, u"B"), 4u);
    EXPECT_EQ(VerticesOf(*scene, u"Default material"), 2u * 4u);
}

}  // namespace
}  // namespace Importing::testing
