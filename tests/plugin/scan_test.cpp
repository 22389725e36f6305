#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/entities.h>
#include <SketchUpAPI/model/entity.h>
#include <SketchUpAPI/model/face.h>
#include <SketchUpAPI/model/group.h>
#include <SketchUpAPI/model/model.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "reader_probe.h"

namespace Importing::testing {
namespace {

using nlohmann::json;

// Opens a document into the reader and runs the scan, as a load does before the walk.
class Scan : public ::testing::Test {
protected:
    void OpenAndScan(const json& document) {
        const auto path = WriteDocument(folder, "scan.skpm", document);
        ASSERT_EQ(SUModelCreateFromFile(&reader.model, path.string().c_str()), SU_ERROR_NONE);
        reader.sceneContainer = &scene;
        SUModelGetEntities(reader.model, &root);
        reader.InitMaterialsByLayerOption();
        reader.InitModel();
    }
    void TearDown() override {
        reader.materials.StopTextureWorker();
        if (reader.model.ptr != nullptr) SUModelRelease(&reader.model);
    }
    std::vector<SUGroupRef> RootGroups() {
        size_t count = 0;
        SUEntitiesGetNumGroups(root, &count);
        std::vector<SUGroupRef> groups(count, SUGroupRef SU_INVALID);
        SUEntitiesGetGroups(root, count, groups.data(), &count);
        return groups;
    }
    const SkpFaceInfo& RootFace(size_t index) {
        size_t count = 0;
        SUEntitiesGetNumFaces(root, &count);
        std::vector<SUFaceRef> faces(count, SUFaceRef SU_INVALID);
        SUEntitiesGetFaces(root, count, faces.data(), &count);
        return reader.faceInfos.at(faces.at(index));
    }

    testsupport::SystemTempFolder folder;
    ReaderProbe reader;
    SceneContainer scene;
    SUEntitiesRef root = SU_INVALID;
};

TEST_F(Scan, ColourByLayerOptionIsReadWhenItIsABool) {
    for (const auto& [options, expected] :
         std::vector<std::pair<json, bool>>{{{{"DisplayColorByLayer", true}}, true},
                                            {{{"DisplayColorByLayer", false}}, false},
                                            {json::object(), false},
                                            {{{"DisplayColorByLayer", 1}}, false}}) {
        ReaderProbe fresh;
        json document = Document(json::object());
        document["renderingOptions"] = options;
        const auto path = WriteDocument(folder, "options.skpm", document);
        ASSERT_EQ(SUModelCreateFromFile(&fresh.model, path.string().c_str()), SU_ERROR_NONE);
        fresh.InitMaterialsByLayerOption();
        EXPECT_EQ(fresh.materialsByLayer, expected) << options.dump();
        SUModelRelease(&fresh.model);
    }
}

TEST_F(Scan, LayerTableHoldsEveryLayerAndItsMaterialOnlyByLayer) {
    json layers = {{{"name", "Layer0"}},
                   {{"name", "Walls"}, {"visible", false}, {"material", "Brick"}},
                   {{"name", "Bare"}}};
    json materials = {{{"name", "Brick"}, {"color", {200, 80, 60, 255}}},
                      {{"name", "Unused"}, {"color", {1, 2, 3, 255}}}};
    json document = Document(json::object(), json::array(), materials, layers);
    document["renderingOptions"] = {{"DisplayColorByLayer", true}};
    OpenAndScan(document);
    ASSERT_EQ(reader.layerInfos.size(), 3u);
    EXPECT_NE(reader.defaultLayer.ptr, nullptr);
    int hidden = 0, withMaterial = 0;
    for (const auto& [layer, info] : reader.layerInfos) {
        EXPECT_EQ(info.layer.ptr, layer.ptr);
        hidden += !info.visible;
        withMaterial += info.material.ptr != nullptr;
    }
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(withMaterial, 1);
    // By layer, the model's material list is not walked: only the layer's material has a record.
    EXPECT_EQ(reader.materials.records.size(), 1u);
}

TEST_F(Scan, ModelWithoutLayersHasNoDefaultLayerButIsScanned) {
    json document = Document({{"faces", {Square()}}});
    document["layers"] = json::array();
    OpenAndScan(document);
    EXPECT_TRUE(reader.layerInfos.empty());
    EXPECT_EQ(reader.defaultLayer.ptr, nullptr);
    EXPECT_EQ(reader.faceInfos.size(), 1u);
}

TEST_F(Scan, UnplacedAndUnreadableDefinitions) {
    json definitions = {{{"name", "Broken"},
                         {"kind", "component"},
                         {"fail", {"SUComponentDefinitionGetEntities"}},
                         {"entities", {{"faces", {Square()}}}}},
                        Definition("Lonely", "component", {{"faces", {Square(), Square(3, 2)}}})};
    OpenAndScan(Document(json::object(), definitions));
    EXPECT_EQ(reader.faceInfos.size(), 2u);  // the broken one is skipped, the lonely one scanned
    for (const auto& [face, info] : reader.faceInfos) EXPECT_EQ(info.numVertices, 4);
}

TEST_F(Scan, FaceRecordsInSceneConvention) {
    json face = {{"outer", {{1, 2, 3}, {11, 2, 3}, {11, 12, 3}, {1, 12, 3}}}};
    OpenAndScan(Document({{"faces", {face}}}));
    const SkpFaceInfo& info = RootFace(0);
    EXPECT_TRUE(info.tessellated);
    EXPECT_TRUE(info.visible);
    ASSERT_EQ(info.numVertices, 4);
    EXPECT_EQ(info.numIndices, 6);
    EXPECT_EQ(std::vector<float>(info.positions.begin(), info.positions.begin() + 3),
              (std::vector<float>{1.0f * 0.0254f, 3.0f * 0.0254f, 2.0f * 0.0254f}));
    EXPECT_EQ(std::vector<float>(info.normals.begin(), info.normals.begin() + 3),
              (std::vector<float>{0, 1, 0}));
    for (int k = 0; k < info.numIndices; ++k) EXPECT_LT(info.indices[k], 4u);
}

TEST_F(Scan, HiddenFacesAreNotTessellatedButFacesOnHiddenLayersAre) {
    json layers = {{{"name", "Layer0"}}, {{"name", "Off"}, {"visible", false}}};
    json hidden = Square(), offLayer = Square(4, 1);
    hidden["hidden"] = true;
    offLayer["layer"] = "Off";
    OpenAndScan(Document({{"faces", {hidden, offLayer}}}, json::array(), json::array(), layers));
    const SkpFaceInfo& first = RootFace(0);
    EXPECT_FALSE(first.visible);
    EXPECT_TRUE(first.tessellated);
    EXPECT_EQ(first.numVertices, 0);
    EXPECT_TRUE(first.positions.empty());
    EXPECT_EQ(RootFace(1).numVertices, 4);
}

TEST_F(Scan, TextureCoordinatesDivideByScaleAndQ) {
    json materials = {
        {{"name", "Tiles"},
         {"color", {255, 255, 255, 255}},
         {"texture",
          {{"sScale", 0.5},
           {"tScale", 0.25},
           {"pixels", {{"width", 1}, {"height", 1}, {"bitsPerPixel", 24}, {"data", "AAAA"}}}}}}};
    json face = Painted(Square(), "Tiles");
    face["frontSTQ"] = {{1, 2, 2}, {3, 4, 1}, {5, 6, 1}, {7, 8, 1}};
    face["backSTQ"] = {{9, 3, 2}, {5, 7, 4}, {2, 1, 1}, {6, 6, 1}};
    OpenAndScan(Document({{"faces", {face}}}, json::array(), materials));
    const SkpFaceInfo& info = RootFace(0);
    EXPECT_FLOAT_EQ(info.frontUVs[0], 1.0f);  // 1 / (0.5 * 2)
    EXPECT_FLOAT_EQ(info.frontUVs[1], 4.0f);  // 2 / (0.25 * 2)
    EXPECT_FLOAT_EQ(info.frontUVs[2], 6.0f);
    // Each side from its own coordinates; no back material: the default scales of 1.
    EXPECT_FLOAT_EQ(info.backUVs[0], 4.5f);  // 9 / (1 * 2)
    EXPECT_FLOAT_EQ(info.backUVs[1], 1.5f);
    EXPECT_FLOAT_EQ(info.backUVs[2], 1.25f);  // 5 / (1 * 4)
    EXPECT_FLOAT_EQ(info.backUVs[3], 1.75f);
}

TEST_F(Scan, HiddenFlagThenLayerDecideVisibility) {
    json layers = {{{"name", "Layer0"}, {"visible", false}}, {{"name", "Off"}, {"visible", false}}};
    json definitions = {Definition("G", "group", json::object())};
    json groups = {{{"definition", "G"}, {"hidden", true}},
                   {{"definition", "G"}, {"layer", "Off"}},
                   {{"definition", "G"}},                       // default layer, which is hidden
                   {{"definition", "G"}, {"layer", nullptr}}};  // no layer
    OpenAndScan(Document({{"groups", groups}}, definitions, json::array(), layers));
    const auto all = RootGroups();
    ASSERT_EQ(all.size(), 4u);
    const auto element = [&](int i) { return SUGroupToDrawingElement(all[i]); };
    EXPECT_TRUE(reader.IsHidden(element(0), false));
    EXPECT_TRUE(reader.IsHidden(element(1), true));
    EXPECT_TRUE(reader.IsHidden(element(1), false));
    EXPECT_TRUE(reader.IsHidden(element(2), true));
    EXPECT_FALSE(reader.IsHidden(element(2), false));
    EXPECT_FALSE(reader.IsHidden(element(3), true));
    reader.layerInfos.clear();
    EXPECT_FALSE(reader.IsHidden(element(1), true));  // a layer without entry counts as visible
}

TEST_F(Scan, PlacementsInSceneConvention) {
    json definitions = {Definition("G", "group", json::object())};
    json rotation = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // x onto y
    json halved = Translation(1, 2, 3);
    halved[15] = 2;
    halved[0] = 2;
    json zeroWeight = Translation(1, 2, 3);
    zeroWeight[15] = 0;
    json groups = {{{"definition", "G"}, {"transform", Translation(1, 2, 3)}},
                   {{"definition", "G"}, {"transform", rotation}},
                   {{"definition", "G"}, {"transform", halved}},
                   {{"definition", "G"}, {"transform", zeroWeight}}};
    OpenAndScan(Document({{"groups", groups}, {"faces", {Square()}}}, definitions));
    const auto all = RootGroups();
    const auto stored = [](const DirectX::XMMATRIX& matrix) {
        DirectX::XMFLOAT4X4 values;
        DirectX::XMStoreFloat4x4(&values, matrix);
        return values;
    };
    const auto placement = [&](int i) {
        return stored(reader.GetTransform(SUGroupToEntity(all[i])));
    };
    // {group, row, column, value}: moved (axes exchanged, inches to metres); turned, model x onto
    // y, the scene's third axis; divided by a weight of 2; a weight of 0 left undivided.
    const std::tuple<int, int, int, float> entries[] = {
        {0, 3, 0, 1.0f * 0.0254f}, {0, 3, 1, 3.0f * 0.0254f}, {0, 3, 2, 2.0f * 0.0254f},
        {0, 3, 3, 1.0f},           {0, 0, 0, 1.0f},           {1, 0, 2, 1.0f},
        {1, 2, 0, -1.0f},          {2, 0, 0, 1.0f},           {2, 1, 1, 0.5f},
        {2, 3, 0, 0.5f * 0.0254f}, {2, 3, 3, 1.0f},           {3, 3, 0, 1.0f * 0.0254f}};
    for (const auto& [group, row, column, value] : entries)
        EXPECT_EQ(placement(group).m[row][column], value) << group << ": " << row << ", " << column;

    for (const auto& identity : {stored(reader.GetTransform(SUEntityRef SU_INVALID)),
                                 stored(reader.GetTransform(SUFaceToEntity(RootFace(0).face)))}) {
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) EXPECT_EQ(identity.m[r][c], r == c ? 1.0f : 0.0f);
        }
    }
}

// The walk places whole collections; a caller may still place one face on its own, with the
// walk's rules, as a visit of its own.
TEST_F(Scan, TreeAddFacePlacesOneFaceAsAVisitOfItsOwn) {
    json hidden = Square(2);
    hidden["hidden"] = true;
    json back = Square(3);
    back["back"] = "B";
    OpenAndScan(Document({{"faces", {Square(), hidden, back}}}, json::array(),
                         {{{"name", "B"}, {"color", {1, 2, 3, 255}}}}));
    reader.doubleSided = false;
    const DirectX::XMMATRIX moved = DirectX::XMMatrixTranslation(1, 2, 3);
    const SUMaterialRef none = SU_INVALID;
    for (size_t i = 0; i < 3; ++i) reader.TreeAddFace(RootFace(i).face, moved, none, true);

    ASSERT_EQ(reader.visits.size(), 2u);                 // the hidden face is not placed
    EXPECT_EQ(reader.visits[0].plan->sides.size(), 1u);  // single-sided, no back material
    EXPECT_EQ(reader.visits[1].plan->sides.size(), 2u);  // its back material adds the back
    EXPECT_EQ(reader.visits[1].plan->runs.size(), 2u);   // under two keys
    EXPECT_EQ(reader.visits[1].placement.transform._42, 2.0f);
    EXPECT_TRUE(RootFace(0).placed);
    EXPECT_FALSE(RootFace(1).placed);
    reader.FreeLeafRecords();
    EXPECT_FALSE(reader.HoldsWalkRecords());
}

}  // namespace
}  // namespace Importing::testing
