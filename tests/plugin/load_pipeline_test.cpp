#include <gtest/gtest.h>
#include <skpm/document_error.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <fstream>
#include <stdexcept>

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

TEST_F(LoadPipeline, UnreadableFileReportsOnlyTheOpenError) {
    const auto path = folder.Path() / "broken.skpm";
    std::ofstream(path) << "{ not json";
    EXPECT_EQ(Load(path), -1);
    EXPECT_EQ(reader.GetRaport(), u"Error: Can't open SKP file.\n");
    EXPECT_EQ(scene.sourceDescriptions, std::vector<std::u16string>{u"SketchUp"});
    EXPECT_TRUE(scene.nodes.empty());
    EXPECT_TRUE(scene.finishCalls.empty());
    ExpectNothingHeld();
}

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
// with zeroed triangles.
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
    EXPECT_EQ(SKPMGetLiveObjectCount(), liveBefore);
    EXPECT_FALSE(shrinking.materials.IsTextureWorkerRunning());
    EXPECT_TRUE(shrinking.faceInfos.empty());
}

TEST_F(LoadPipeline, MissingVersionReadsAsZeros) {
    json document = Document({{"faces", {Square()}}});
    document.erase("version");
    EXPECT_EQ(Load(WriteDocument(folder, "m.skpm", document)), 0);
    EXPECT_EQ(scene.sourceDescriptions.at(1), u"SketchUp 0.0.0");
}

TEST_F(LoadPipeline, ModelWithoutFacesStillGetsRootAndFinishCalls) {
    EXPECT_EQ(Load(WriteDocument(folder, "empty.skpm", Document(json::object()))), 0);
    EXPECT_EQ(scene.nodes.size(), 1u);
    EXPECT_TRUE(scene.surfaces.empty());
    EXPECT_TRUE(scene.geometryLibrary.empty());
    EXPECT_TRUE(scene.sceneMaterials.empty());
    EXPECT_EQ(scene.finishCalls.size(), 3u);
}

TEST_F(LoadPipeline, UnreadableRootEntitiesGiveAnEmptyButFinishedScene) {
    json document = Document({{"faces", {Square()}}});
    document["fail"] = {"SUModelGetEntities"};
    EXPECT_EQ(Load(WriteDocument(folder, "m.skpm", document)), 0);
    EXPECT_EQ(scene.nodes.size(), 1u);
    EXPECT_TRUE(scene.surfaces.empty());
    EXPECT_EQ(scene.finishCalls.size(), 3u);
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

TEST_F(LoadPipeline, TwoLoadsInARowStartClean) {
    EXPECT_EQ(Load(folder.Path() / "missing.skpm"), -1);
    SceneContainer second;
    const auto path = WriteDocument(folder, "ok.skpm", Document({{"faces", {Square()}}}));
    EXPECT_EQ(reader.LoadFromFile(second, Wide(path), u"", false), 0);
    EXPECT_EQ(reader.GetRaport(), u"");
    EXPECT_EQ(second.sourceDescriptions.at(0), u"SketchUp");
    EXPECT_EQ(second.surfaces.size(), 1u);
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
    EXPECT_NE(GeometryOf(scene, u"A"), nullptr);
    SceneContainer next;
    const auto path = WriteDocument(folder, "own.skpm", own);
    ASSERT_EQ(reader.LoadFromFile(next, Wide(path.string()), u"", false), 0);
    EXPECT_EQ(GeometryOf(next, u"A"), nullptr);
    ASSERT_NE(GeometryOf(next, u"B"), nullptr);
    EXPECT_EQ(GeometryOf(next, u"B")->vertices.size(), 8u);
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

class SingleSidedMarker : public LoadPipeline,
                          public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(SingleSidedMarker, DecidesTheBackSides) {
    const auto [relative, doubleSided] = GetParam();
    const auto path = WriteDocument(folder, relative, Document({{"faces", {Square()}}}));
    EXPECT_EQ(Load(path), 0);
    ASSERT_EQ(scene.geometryLibrary.size(), 1u);
    // One square has 4 vertices per placed side.
    EXPECT_EQ(scene.geometryLibrary[0].vertices.size(), doubleSided ? 8u : 4u) << relative;
}

INSTANTIATE_TEST_SUITE_P(Paths, SingleSidedMarker,
                         ::testing::Values(std::pair{"house_defaultsingle.skpm", false},
                                           std::pair{"house_DefaultSINGLE.skpm", false},
                                           std::pair{"a_defaultsingle.b/m.skpm", false},
                                           std::pair{"house_defaultsingle", true},
                                           std::pair{"house.skpm", true}));

TEST_F(LoadPipeline, UnreadableRenderingOptionsRaiseWithNothingLeftRunning) {
    json document = Document({{"faces", {Square()}}});
    document["fail"] = {"SUModelGetRenderingOptions"};
    const auto path = WriteDocument(folder, "m.skpm", document);
    EXPECT_THROW(Load(path), std::exception);
    EXPECT_EQ(reader.GetRaport(), u"");
    ExpectNothingHeld();
    // and the next load works on the same reader
    SceneContainer next;
    const auto good = WriteDocument(folder, "good.skpm", Document({{"faces", {Square()}}}));
    EXPECT_EQ(reader.LoadFromFile(next, Wide(good), u"", false), 0);
}

TEST_F(LoadPipeline, UnreadableGroupEntitiesRaiseWithNothingLeftRunning) {
    json definitions = {Definition("G", "group", {{"faces", {Square()}}})};
    json group = {{"definition", "G"}, {"fail", {"SUGroupGetEntities"}}};
    const auto path = WriteDocument(
        folder, "m.skpm", Document({{"faces", {Square()}}, {"groups", {group}}}, definitions));
    EXPECT_THROW(Load(path), std::exception);
    ExpectNothingHeld();
}

TEST_F(LoadPipeline, PathThatIsNotUtf16RaisesARangeError) {
    std::u16string path = Wide(folder.Path()) + u"/";
    path += char16_t(0xD800);
    EXPECT_THROW(reader.LoadFromFile(scene, path, u"", false), std::range_error);
    ExpectNothingHeld();
}

}  // namespace
}  // namespace Importing::testing
