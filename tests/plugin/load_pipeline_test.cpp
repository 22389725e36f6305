#include <gtest/gtest.h>
#include <skpm/document_error.h>

#include <algorithm>
#include <cstdint>

#include "reader_probe.h"
#include "scene_queries.h"

namespace Importing::testing {
namespace {

using nlohmann::json;

class LoadPipeline : public ::testing::Test {
protected:
    int Load(const std::filesystem::path& path) {
        return reader.LoadFromFile(scene, Wide(path), u"", false);
    }
    // Nothing of a load is left behind: the state of a fresh reader but for report and container,
    // and every object made through the SketchUp library released.
    void ExpectNothingHeld() {
        EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore);
        EXPECT_EQ(reader.model.ptr, nullptr);
        EXPECT_TRUE(reader.faceInfos.empty());
        EXPECT_TRUE(reader.layerInfos.empty());
        EXPECT_FALSE(reader.HoldsWalkRecords());
        EXPECT_TRUE(reader.materials.records.empty());
        EXPECT_FALSE(reader.materials.IsTextureWorkerRunning());
        EXPECT_FALSE(reader.materialsByLayer);
        EXPECT_TRUE(reader.doubleSided);
    }

    const std::size_t liveBefore = SKPMGetLiveObjectCount();
    testsupport::SystemTempFolder folder;
    ReaderProbe reader;
    SceneContainer scene;
};

TEST_F(LoadPipeline, CompletedLoadNamesRootAndFinishes) {
    json document = Document({{"faces", {Square()}}});
    const auto path = WriteDocument(folder, "sub.dir/house.skpm", document);
    EXPECT_EQ(reader.LoadFromFile(scene, Wide(path), u"ignored", true), 0);
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_EQ(scene.sourceDescriptions,
              (std::vector<std::u16string>{u"SketchUp", u"SketchUp 21.0.339"}));
    ASSERT_EQ(scene.nodes.size(), 1u);
    EXPECT_EQ(scene.nodes[0].GetName(), u"house");
    EXPECT_EQ(scene.rootNodeIndex, 0);
    const auto& local = scene.nodes[0].GetLocalTransform().Matrix();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(local[r][c], r == c ? 1.0f : 0.0f);
    }
    ASSERT_EQ(scene.finishCalls.size(), 3u);
    EXPECT_EQ(scene.finishCalls[0].name, "FinishLoad");
    EXPECT_EQ(scene.finishCalls[0].arguments, (std::vector<bool>{true, true}));
    EXPECT_EQ(scene.finishCalls[1].name, "FinishStep1");
    EXPECT_EQ(scene.finishCalls[2].name, "FinishStep2");
    ExpectNothingHeld();
}

// One geometry's offsets are 32-bit: a material that needs more is reported in one line, not as
// running out of memory. The limit is lowered to the square's own counts to try both sides of it.
TEST_F(LoadPipeline, GeometryPastTheLimitIsReportedInOneLine) {
    const auto path = WriteDocument(folder, "square.skpm", Document({{"faces", {Square()}}}));
    ASSERT_EQ(Load(path), 0);
    ASSERT_EQ(scene.geometryLibrary.size(), 1u);
    const int64_t vertices = static_cast<int64_t>(scene.geometryLibrary[0].vertices.size());
    const int64_t indices = static_cast<int64_t>(scene.geometryLibrary[0].indices.size());
    ASSERT_GT(vertices, 0);

    reader.geometryLimit = std::max(vertices, indices);
    EXPECT_EQ(Load(path), 0);
    EXPECT_EQ(reader.GetRaport(), u"");

    reader.geometryLimit = std::max(vertices, indices) - 1;
    EXPECT_EQ(Load(path), -1);
    EXPECT_EQ(
        reader.GetRaport(),
        Wide("Error: Material \"Default material\" needs " + std::to_string(vertices) +
             " vertices and " + std::to_string(indices) + " indices; one geometry holds at most " +
             std::to_string(reader.geometryLimit) + " of each.\n"));
    ExpectNothingHeld();
}

// A reader whose face record changes between the walk and the merge, as a fault would make it:
// the merge then writes less than it counted, and must say so rather than hand over a geometry
// with zeroed triangles. (What a failure reported in one line leaves is checked above.)
class RecordShrinkingReader : public ReaderProbe {
protected:
    void MergeGeometries() override {
        for (auto& entry : faceInfos) {
            if (entry.second.numIndices >= 3) {
                entry.second.numIndices -= 3;
                break;
            }
        }
        SkpReader::MergeGeometries();
    }
};

TEST_F(LoadPipeline, GeometryNotFilledAsCountedFailsTheLoad) {
    RecordShrinkingReader shrinking;
    const auto path = WriteDocument(folder, "square.skpm", Document({{"faces", {Square()}}}));
    EXPECT_EQ(shrinking.LoadFromFile(scene, Wide(path), u"", false), -1);
    EXPECT_EQ(shrinking.GetRaport(),
              u"Error: A geometry was not filled to the size counted for it.\n");
}

// A model without faces, without a version, or whose root entities cannot be read still completes
// with its root node and the finishing calls.
TEST_F(LoadPipeline, ModelsWithNothingToPlaceStillGetRootAndFinishCalls) {
    json unversioned = Document(json::object()), unreadable = Document({{"faces", {Square()}}});
    unversioned.erase("version");
    unreadable["fail"] = {"SUModelGetEntities"};
    for (const auto& [document, source] :
         {std::pair{unversioned, u"SketchUp 0.0.0"}, std::pair{unreadable, u"SketchUp 21.0.339"}}) {
        SceneContainer empty;
        const auto path = WriteDocument(folder, "m.skpm", document);
        EXPECT_EQ(reader.LoadFromFile(empty, Wide(path), u"", false), 0) << document.dump();
        EXPECT_EQ(empty.sourceDescriptions.at(1), source);
        EXPECT_EQ(empty.nodes.size(), 1u);
        EXPECT_TRUE(empty.surfaces.empty());
        EXPECT_TRUE(empty.geometryLibrary.empty());
        EXPECT_TRUE(empty.sceneMaterials.empty());
        EXPECT_EQ(empty.finishCalls.size(), 3u);
    }
}

// Calls that fail after the reader made the object they fill: a mesh helper, a typed value, a
// material's name and a texture's image. The load completes without what they would have given.
TEST_F(LoadPipeline, CallsFailingInsideACompletedLoadLeaveNothingHeld) {
    json materials = {
        {{"name", "Named"},
         {"color", {1, 2, 3, 255}},
         {"fail", {"SUMaterialGetNameLegacyBehavior", "SUMaterialGetName"}}},
        {{"name", "Photo"},
         {"texture",
          {{"file", "photo.png"},
           {"pixels", {{"width", 1}, {"height", 1}, {"bitsPerPixel", 24}, {"data", "AAAA"}}},
           {"fail", {"SUTextureGetImageRep"}}}}}};
    json meshless = Square();
    meshless["fail"] = {"SUMeshHelperGetNumVertices"};
    json document = Document(
        {{"faces", {meshless, Painted(Square(2, 1), "Named"), Painted(Square(3, 2), "Photo")}}},
        json::array(), materials);
    document["fail"] = {"SURenderingOptionsGetValue"};
    EXPECT_EQ(Load(WriteDocument(folder, "m.skpm", document)), 0);
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_EQ(TotalVertices(scene), 2u * 2u * 4u);
    ExpectNothingHeld();
}

// Colour by layer is the model's option, not the reader's: a model without it is coloured by its
// own materials even after one that had it.
TEST_F(LoadPipeline, ColourByLayerIsDecidedByEachModelAnew) {
    json layers = {{{"name", "Layer0"}}, {{"name", "L"}, {"material", "A"}}};
    json materials = {{{"name", "A"}, {"color", {255, 0, 0, 255}}},
                      {{"name", "B"}, {"color", {0, 0, 255, 255}}}};
    json face = Square();
    face["front"] = face["back"] = "B";
    face["layer"] = "L";
    json byLayer = Document({{"faces", {face}}}, json::array(), materials, layers);
    byLayer["renderingOptions"] = {{"DisplayColorByLayer", true}};
    json own = byLayer;
    own.erase("renderingOptions");
    ASSERT_EQ(Load(WriteDocument(folder, "by-layer.skpm", byLayer)), 0);
    EXPECT_EQ(VerticesOf(scene, u"A"), 8u);
    SceneContainer next;
    const auto path = WriteDocument(folder, "own.skpm", own);
    ASSERT_EQ(reader.LoadFromFile(next, Wide(path), u"", false), 0);
    EXPECT_EQ(VerticesOf(next, u"A"), std::nullopt);
    EXPECT_EQ(VerticesOf(next, u"B"), 8u);
}

TEST_F(LoadPipeline, NonEmptyContainerKeepsGeometryAddressesValid) {
    scene.geometryLibrary.resize(3);
    scene.geometryLibrary.shrink_to_fit();
    json materials = {{{"name", "Red"}, {"color", {255, 0, 0, 255}}}};
    const auto path = WriteDocument(
        folder, "m.skpm",
        Document({{"faces", {Painted(Square(), "Red"), Square(5, 1)}}}, json::array(), materials));
    EXPECT_EQ(Load(path), 0);
    ASSERT_EQ(scene.geometryLibrary.size(), 5u);
    EXPECT_EQ(scene.geometryLibrary[3].vertices.size() + scene.geometryLibrary[4].vertices.size(),
              16u);
}

}  // namespace
}  // namespace Importing::testing
