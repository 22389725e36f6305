// The API's calling conventions: invalid inputs, null outputs, outputs that must be created
// first, create calls that refuse to overwrite, releases of dead objects, and list capacity.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

class Conventions : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error(); }
    DocumentModel model_{RichDocument()};
};

TEST_F(Conventions, InvalidInputAnswersInvalidInput) {
    size_t count = 0;
    bool flag = false;
    SUEntitiesRef entities = SU_INVALID;
    SUMaterialRef material = SU_INVALID;
    EXPECT_EQ(SUModelGetNumLayers(SUModelRef SU_INVALID, &count), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUEntitiesGetNumFaces(SUEntitiesRef SU_INVALID, &count), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUGroupGetEntities(SUGroupRef SU_INVALID, &entities), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUDrawingElementGetHidden(SUDrawingElementRef SU_INVALID, &flag),
              SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUFaceGetFrontMaterial(SUFaceRef SU_INVALID, &material), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUEntityGetType(SUEntityRef SU_INVALID), SURefType_Unknown);
    // A reference of another kind is as invalid as a null one.
    SUFaceRef face = FirstFace(RootEntities(model_.get()));
    SUGroupRef notAGroup = {face.ptr};
    EXPECT_EQ(SUGroupGetEntities(notAGroup, &entities), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(SUIsInvalid(entities));
}

TEST_F(Conventions, NullOutputAnswersNullPointerOutput) {
    const SUEntitiesRef root = RootEntities(model_.get());
    const SUFaceRef face = FirstFace(root);
    EXPECT_EQ(SUModelGetNumLayers(model_.get(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUModelGetEntities(model_.get(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUEntitiesGetFaces(root, 1, nullptr, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    SUFaceRef faces[1];
    EXPECT_EQ(SUEntitiesGetFaces(root, 1, faces, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUDrawingElementGetHidden(SUFaceToDrawingElement(face), nullptr),
              SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUModelGetVersion(model_.get(), nullptr, nullptr, nullptr),
              SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUMeshHelperCreate(nullptr, face), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUStringCreate(nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST_F(Conventions, CreateRefusesAValidReference) {
    String existing;
    SUStringRef string = existing.get();
    EXPECT_EQ(SUStringCreate(&string), SU_ERROR_OVERWRITE_VALID);
    TypedValue value;
    SUTypedValueRef typed = value.get();
    EXPECT_EQ(SUTypedValueCreate(&typed), SU_ERROR_OVERWRITE_VALID);
    ImageRep image;
    SUImageRepRef rep = image.get();
    EXPECT_EQ(SUImageRepCreate(&rep), SU_ERROR_OVERWRITE_VALID);
    SUMeshHelperRef mesh = {rep.ptr};
    EXPECT_EQ(SUMeshHelperCreate(&mesh, FirstFace(RootEntities(model_.get()))),
              SU_ERROR_OVERWRITE_VALID);
    EXPECT_EQ(mesh.ptr, rep.ptr);
}

TEST_F(Conventions, FilledOutputsMustBeCreatedFirst) {
    SUStringRef notCreated = SU_INVALID;
    SULayerRef layer = SU_INVALID;
    ASSERT_EQ(SUModelGetDefaultLayer(model_.get(), &layer), SU_ERROR_NONE);
    EXPECT_EQ(SULayerGetName(layer, &notCreated), SU_ERROR_INVALID_OUTPUT);
    EXPECT_EQ(SULayerGetName(layer, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);

    // A reference to something that is not a live string is no better than an invalid one.
    TypedValue value;
    SUStringRef typedAsString = {value.get().ptr};
    EXPECT_EQ(SULayerGetName(layer, &typedAsString), SU_ERROR_INVALID_OUTPUT);

    SURenderingOptionsRef options = SU_INVALID;
    ASSERT_EQ(SUModelGetRenderingOptions(model_.get(), &options), SU_ERROR_NONE);
    SUTypedValueRef notCreatedValue = SU_INVALID;
    EXPECT_EQ(SURenderingOptionsGetValue(options, "Style", &notCreatedValue),
              SU_ERROR_INVALID_OUTPUT);

    SUTextureRef texture = SU_INVALID;
    ASSERT_EQ(SUMaterialGetTexture(MaterialNamed(model_.get(), "Brick"), &texture), SU_ERROR_NONE);
    SUImageRepRef notCreatedRep = SU_INVALID;
    EXPECT_EQ(SUTextureGetImageRep(texture, &notCreatedRep), SU_ERROR_INVALID_OUTPUT);
}

TEST_F(Conventions, ReleasingADeadObjectIsAnError) {
    SUStringRef string = SU_INVALID;
    ASSERT_EQ(SUStringCreate(&string), SU_ERROR_NONE);
    SUStringRef copy = string;
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);
    EXPECT_TRUE(SUIsInvalid(string));
    EXPECT_EQ(SUStringRelease(&copy), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_INVALID_INPUT);
    size_t length;
    EXPECT_EQ(SUStringGetUTF16Length(copy, &length), SU_ERROR_INVALID_INPUT);

    // Objects of another kind are not released by the wrong call, and model objects never.
    TypedValue value;
    SUStringRef wrongKind = {value.get().ptr};
    EXPECT_EQ(SUStringRelease(&wrongKind), SU_ERROR_INVALID_INPUT);
    SUMeshHelperRef face = {FirstFace(RootEntities(model_.get())).ptr};
    EXPECT_EQ(SUMeshHelperRelease(&face), SU_ERROR_INVALID_INPUT);
    SUModelRef notAModel = {face.ptr};
    EXPECT_EQ(SUModelRelease(&notAModel), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUTypedValueRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT);

    SUMeshHelperRef mesh = SU_INVALID;
    ASSERT_EQ(SUMeshHelperCreate(&mesh, FirstFace(RootEntities(model_.get()))), SU_ERROR_NONE);
    SUMeshHelperRef meshCopy = mesh;
    EXPECT_EQ(SUMeshHelperRelease(&mesh), SU_ERROR_NONE);
    EXPECT_EQ(SUMeshHelperRelease(&meshCopy), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUMeshHelperGetNumVertices(meshCopy, &length), SU_ERROR_INVALID_INPUT);
}

TEST_F(Conventions, ListGettersFillUpToCapacityAndCount) {
    size_t total = 0;
    ASSERT_EQ(SUModelGetNumLayers(model_.get(), &total), SU_ERROR_NONE);
    ASSERT_EQ(total, 3u);
    SULayerRef layers[5] = {};
    size_t count = 99;
    EXPECT_EQ(SUModelGetLayers(model_.get(), 2, layers, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(SUIsValid(layers[1]));
    EXPECT_TRUE(SUIsInvalid(layers[2]));  // beyond the capacity given: untouched
    EXPECT_EQ(SUModelGetLayers(model_.get(), 5, layers, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(SUIsInvalid(layers[3]));
    EXPECT_EQ(SUModelGetLayers(model_.get(), 0, nullptr, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 0u);

    String names[3];
    const char* expected[] = {"Layer0", "Walls", "Ghosts"};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(SULayerGetName(layers[i], names[i].out()), SU_ERROR_NONE);
        EXPECT_EQ(names[i].Utf8(), expected[i]);
    }
}

TEST_F(Conventions, CollectionsCountWhatTheDocumentHolds) {
    const std::pair<SUResult (*)(SUModelRef, size_t*), size_t> counts[] = {
        {SUModelGetNumMaterials, 3},
        {SUModelGetNumComponentDefinitions, 1},
        {SUModelGetNumGroupDefinitions, 1},
    };
    for (const auto& [get, expected] : counts) {
        size_t count = 0;
        EXPECT_EQ(get(model_.get(), &count), SU_ERROR_NONE);
        EXPECT_EQ(count, expected);
    }
    const SUEntitiesRef root = RootEntities(model_.get());
    const std::pair<SUResult (*)(SUEntitiesRef, size_t*), size_t> entityCounts[] = {
        {SUEntitiesGetNumFaces, 2},
        {SUEntitiesGetNumGroups, 1},
        {SUEntitiesGetNumInstances, 2},
        {SUEntitiesGetNumImages, 1},
    };
    for (const auto& [get, expected] : entityCounts) {
        size_t count = 0;
        EXPECT_EQ(get(root, &count), SU_ERROR_NONE);
        EXPECT_EQ(count, expected);
    }
}

TEST_F(Conventions, OptionalDataAnswersNoData) {
    const SUEntitiesRef root = RootEntities(model_.get());
    const SUFaceRef face = FirstFace(root);  // no materials, on no layer
    SUMaterialRef material = SU_INVALID;
    SULayerRef layer = SU_INVALID;
    EXPECT_EQ(SUFaceGetFrontMaterial(face, &material), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUFaceGetBackMaterial(face, &material), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUDrawingElementGetMaterial(SUFaceToDrawingElement(face), &material),
              SU_ERROR_NO_DATA);
    EXPECT_EQ(SUDrawingElementGetLayer(SUFaceToDrawingElement(face), &layer), SU_ERROR_NO_DATA);
    SULayerRef layers[3];
    size_t count = 0;
    ASSERT_EQ(SUModelGetLayers(model_.get(), 3, layers, &count), SU_ERROR_NONE);
    EXPECT_EQ(SULayerGetMaterial(layers[0], &material), SU_ERROR_NO_DATA);
    EXPECT_TRUE(SUIsInvalid(material));
    SUColor color;
    SUTextureRef texture = SU_INVALID;
    const SUMaterialRef plain = MaterialNamed(model_.get(), "Gr\xC3\xBCn \xF0\x9F\x8C\xB2");
    EXPECT_EQ(SUMaterialGetColor(plain, &color), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUMaterialGetTexture(plain, &texture), SU_ERROR_NO_DATA);

    DocumentModel bare(MinimalDocument());
    int major, minor, build;
    EXPECT_EQ(SUModelGetVersion(bare.get(), &major, &minor, &build), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUModelGetDefaultLayer(bare.get(), &layer), SU_ERROR_NO_DATA);
    SURenderingOptionsRef options = SU_INVALID;
    EXPECT_EQ(SUModelGetRenderingOptions(bare.get(), &options), SU_ERROR_NONE);
    TypedValue value;
    EXPECT_EQ(SURenderingOptionsGetValue(options, "DisplayColorByLayer", value.out()),
              SU_ERROR_NO_DATA);
}

}  // namespace
