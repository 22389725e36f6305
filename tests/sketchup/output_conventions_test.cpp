// The API's calling conventions: invalid inputs, null outputs, outputs that must be created
// first, create calls that refuse to overwrite, releases of dead objects, list capacity, and
// NO_DATA for what a document may leave out.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

// Each call's result against the one it must answer; a failure names its row, from 0.
void ExpectResults(std::initializer_list<std::pair<SUResult, SUResult>> rows) {
    for (const auto* row = rows.begin(); row != rows.end(); ++row)
        EXPECT_EQ(row->first, row->second) << "row " << row - rows.begin();
}

TEST(Conventions, BadArgumentsAreAnsweredNotFollowed) {
    const Rich r;
    size_t count = 0;
    SUEntitiesRef entities = SU_INVALID;
    SUModelRef model = SU_INVALID, openModel = r.model.get(), faceAsModel = {r.faces[0].ptr};
    SUFaceRef faces[1];
    String string;
    TypedValue value;
    ImageRep image;
    SUStringRef notCreated = SU_INVALID, wrongKind = {value.get().ptr}, live = string.get();
    SUTypedValueRef notCreatedValue = SU_INVALID, liveValue = value.get();
    SUImageRepRef notCreatedRep = SU_INVALID, liveRep = image.get();
    SUMeshHelperRef repAsHelper = {liveRep.ptr}, faceAsHelper = {r.faces[0].ptr};
    SUMeshHelperRef helper = SU_INVALID, notMade = SU_INVALID;
    const SURenderingOptionsRef options = Get(SUModelGetRenderingOptions, r.model.get());
    SUStringRef dead = SU_INVALID;
    ASSERT_EQ(SUMeshHelperCreate(&helper, r.faces[0]), SU_ERROR_NONE);
    ASSERT_EQ(SUStringCreate(&dead), SU_ERROR_NONE);
    SUMeshHelperRef deadHelper = helper;  // copies, dead once the originals are released
    SUStringRef deadString = dead, deadAgain = dead;
    constexpr SUResult kInput = SU_ERROR_INVALID_INPUT, kNull = SU_ERROR_NULL_POINTER_OUTPUT;
    constexpr SUResult kOutput = SU_ERROR_INVALID_OUTPUT, kOverwrite = SU_ERROR_OVERWRITE_VALID;
    // clang-format off
    ExpectResults({
        {Ask(SUModelGetNumLayers, SUModelRef SU_INVALID), kInput},
        {Ask(SUFaceGetFrontMaterial, SUFaceRef SU_INVALID), kInput},
        // A reference of another kind is as invalid as a null one.
        {SUGroupGetEntities(SUGroupRef{r.faces[0].ptr}, &entities), kInput},
        {Ask(SUComponentInstanceGetTransform, {r.group.ptr}), kInput},
        {SUMeshHelperCreate(&notMade, SUFaceRef{r.group.ptr}), kInput},
        {SUModelGetNumLayers(r.model.get(), nullptr), kNull},
        {SUEntitiesGetFaces(r.root, 1, nullptr, &count), kNull},
        {SUEntitiesGetFaces(r.root, 1, faces, nullptr), kNull},
        {SUMeshHelperCreate(nullptr, r.faces[0]), kNull},
        {SUStringCreate(nullptr), kNull},
        {SUModelCreateFromFile(nullptr, "x.skpm"), kNull},
        {SUModelCreateFromFile(&model, nullptr), SU_ERROR_NULL_POINTER_INPUT},
        // Filled outputs must be live objects of their own kind.
        {SULayerGetName(r.layers[0], &notCreated), kOutput},
        {SULayerGetName(r.layers[0], &wrongKind), kOutput},
        {SURenderingOptionsGetValue(options, "Style", &notCreatedValue), kOutput},
        {SUTextureGetImageRep(TextureOf(r.brick), &notCreatedRep), kOutput},
        // Created outputs must not be valid already.
        {SUModelCreateFromFile(&openModel, "x.skpm"), kOverwrite},
        {SUStringCreate(&live), kOverwrite},
        {SUTypedValueCreate(&liveValue), kOverwrite},
        {SUImageRepCreate(&liveRep), kOverwrite},
        {SUMeshHelperCreate(&repAsHelper, r.faces[0]), kOverwrite},
        // Only live objects of the right kind are released; model objects never.
        {SUStringRelease(&wrongKind), kInput},
        {SUMeshHelperRelease(&faceAsHelper), kInput},
        {SUModelRelease(&faceAsModel), kInput},
        {SUTypedValueRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT},
        // A released object is dead to every copy of its reference.
        {SUMeshHelperRelease(&helper), SU_ERROR_NONE},
        {SUStringRelease(&dead), SU_ERROR_NONE},
        {SUStringRelease(&deadAgain), kInput},
        {Ask(SUStringGetUTF16Length, deadString), kInput},
        {SUMeshHelperRelease(&deadHelper), kInput},
        {Ask(SUMeshHelperGetNumVertices, deadHelper), kInput},
    });
    // clang-format on
    EXPECT_TRUE(SUIsInvalid(entities) && SUIsInvalid(notMade) && SUIsInvalid(dead) &&
                SUIsInvalid(helper));
    EXPECT_TRUE(openModel.ptr == r.model.get().ptr && repAsHelper.ptr == liveRep.ptr);
}

// Every object a caller creates counts until it is released; what fails to be made, and what is
// refused as a release, does not move the count.
TEST(Conventions, LiveObjectCountFollowsCreatesAndReleases) {
    const size_t before = SKPMGetLiveObjectCount();
    testsupport::TempFolder dir;
    const std::string good = dir.Write("good.skpm", RichDocument().dump());
    const std::string bad = dir.Write("bad.skpm", R"({"modelDocument": 1, "layers": 3})");
    SUModelRef model = SU_INVALID, refused = SU_INVALID;
    ASSERT_EQ(SUModelCreateFromFile(&model, good.c_str()), SU_ERROR_NONE);
    EXPECT_NE(SUModelCreateFromFile(&refused, bad.c_str()), SU_ERROR_NONE);
    EXPECT_EQ(SKPMGetLiveObjectCount(), before + 1);

    SUEntitiesRef root = Get(SUModelGetEntities, model);
    SUFaceRef face = SU_INVALID;
    size_t count = 0;
    ASSERT_EQ(SUEntitiesGetFaces(root, 1, &face, &count), SU_ERROR_NONE);
    SUStringRef string = SU_INVALID;
    SUTypedValueRef value = SU_INVALID;
    SUImageRepRef image = SU_INVALID;
    SUMeshHelperRef helper = SU_INVALID, notMade = SU_INVALID;
    ASSERT_EQ(SUStringCreate(&string), SU_ERROR_NONE);
    ASSERT_EQ(SUTypedValueCreate(&value), SU_ERROR_NONE);
    ASSERT_EQ(SUImageRepCreate(&image), SU_ERROR_NONE);
    ASSERT_EQ(SUMeshHelperCreate(&helper, face), SU_ERROR_NONE);
    EXPECT_NE(SUStringCreate(&string), SU_ERROR_NONE);  // already valid: nothing new made
    EXPECT_NE(SUMeshHelperCreate(&notMade, SUFaceRef{root.ptr}), SU_ERROR_NONE);
    EXPECT_EQ(SKPMGetLiveObjectCount(), before + 5);

    SUStringRef helperAsString = {helper.ptr};
    EXPECT_NE(SUStringRelease(&helperAsString), SU_ERROR_NONE);
    EXPECT_EQ(SKPMGetLiveObjectCount(), before + 5);
    // The model goes first: what was made from it lives on until released.
    EXPECT_EQ(SUModelRelease(&model), SU_ERROR_NONE);
    EXPECT_EQ(SKPMGetLiveObjectCount(), before + 4);
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
    EXPECT_EQ(SUImageRepRelease(&image), SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueRelease(&value), SU_ERROR_NONE);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);
    EXPECT_EQ(SKPMGetLiveObjectCount(), before);
}

TEST(Conventions, ListGettersFillUpToCapacityAndCount) {
    const Rich r;
    SULayerRef layers[5] = {};
    size_t count = 99;
    EXPECT_EQ(SUModelGetLayers(r.model.get(), 2, layers, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(SUIsValid(layers[1]) && SUIsInvalid(layers[2]));  // beyond the capacity: untouched
    EXPECT_EQ(SUModelGetLayers(r.model.get(), 5, layers, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(SUIsInvalid(layers[3]));
    EXPECT_EQ(SUModelGetLayers(r.model.get(), 0, nullptr, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 0u);
    // Image definitions are neither component nor group definitions.
    EXPECT_EQ(Get(SUModelGetNumComponentDefinitions, r.model.get()), 1u);
    EXPECT_EQ(Get(SUModelGetNumGroupDefinitions, r.model.get()), 1u);
}

TEST(Conventions, OptionalDataAnswersNoData) {
    const Rich r;
    const SUDrawingElementRef face = SUFaceToDrawingElement(r.faces[0]);  // no materials, no layer
    const DocumentModel bare(kMinimalDocument);
    TypedValue value;
    constexpr SUResult kNoData = SU_ERROR_NO_DATA;
    // clang-format off
    ExpectResults({
        {Ask(SUFaceGetFrontMaterial, r.faces[0]), kNoData},
        {Ask(SUFaceGetBackMaterial, r.faces[0]), kNoData},
        {Ask(SUDrawingElementGetMaterial, face), kNoData},
        {Ask(SUDrawingElementGetLayer, face), kNoData},
        {Ask(SULayerGetMaterial, r.layers[0]), kNoData},
        {Ask(SUMaterialGetColor, r.plain), kNoData},
        {Ask(SUMaterialGetTexture, r.plain), kNoData},
        {Ask(SUModelGetDefaultLayer, bare.get()), kNoData},
        {SURenderingOptionsGetValue(Get(SUModelGetRenderingOptions, bare.get()), "Style",
                                    value.out()), kNoData},
    });
    // clang-format on
    SUMaterialRef material = SU_INVALID;
    EXPECT_EQ(SULayerGetMaterial(r.layers[0], &material), kNoData);
    EXPECT_TRUE(SUIsInvalid(material));
}

}  // namespace
