// Fault injection: a document's "fail" lists make the named functions fail on exactly the
// objects that list them.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

Json WithFails() {
    Json d = RichDocument();
    d["fail"] = {"SUModelGetRenderingOptions", "SUEntitiesGetGroups"};
    d["layers"][1]["fail"] = {"SULayerGetVisibility"};
    d["materials"][0]["fail"] = {"SUMaterialGetColor", "SUMaterialGetTexture"};
    d["materials"][1]["fail"] = {"SUEntityGetNumAttributeDictionaries",
                                 "SUAttributeDictionaryGetValue"};
    d["materials"][1]["texture"]["fail"] = {"SUTextureGetDimensions", "SUTextureGetImageRep"};
    d["definitions"][1]["fail"] = {"SUComponentDefinitionGetEntities"};
    d["entities"]["faces"][0]["fail"] = {"SUMeshHelperCreate", "SUDrawingElementGetHidden"};
    d["entities"]["faces"][1]["fail"] = {"SUMeshHelperGetVertices", "SUFaceGetFrontMaterial"};
    d["entities"]["groups"][0]["fail"] = {"SUGroupGetTransform"};
    d["entities"]["images"][0]["fail"] = {"SUComponentInstanceGetTransform"};
    return d;
}

class FaultInjection : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error();
        root_ = RootEntities(model_.get());
        size_t count = 0;
        ASSERT_EQ(SUEntitiesGetFaces(root_, 2, faces_, &count), SU_ERROR_NONE);
    }
    DocumentModel model_{WithFails()};
    SUEntitiesRef root_ = SU_INVALID;
    SUFaceRef faces_[2] = {};
};

TEST_F(FaultInjection, DocumentListGovernsModelLevelCalls) {
    SURenderingOptionsRef options = SU_INVALID;
    EXPECT_EQ(SUModelGetRenderingOptions(model_.get(), &options), SU_ERROR_GENERIC);
    EXPECT_TRUE(SUIsInvalid(options));
    SUGroupRef group = SU_INVALID;
    size_t count = 7;
    EXPECT_EQ(SUEntitiesGetGroups(root_, 1, &group, &count), SU_ERROR_GENERIC);
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(SUEntitiesGetNumGroups(root_, &count), SU_ERROR_NONE);  // only the listed call
    // A definition's entities are not the root's.
    SUComponentDefinitionRef chair;
    ASSERT_EQ(SUModelGetComponentDefinitions(model_.get(), 1, &chair, &count), SU_ERROR_NONE);
    SUEntitiesRef entities;
    ASSERT_EQ(SUComponentDefinitionGetEntities(chair, &entities), SU_ERROR_NONE);
    EXPECT_EQ(SUEntitiesGetGroups(entities, 0, nullptr, &count), SU_ERROR_NONE);
}

TEST(FaultInjectionLists, GroupAndDefinitionListsAreIndependent) {
    SUGroupRef group;
    size_t count = 0;
    Json plain = RichDocument();
    plain["definitions"][1]["fail"] = {"SUComponentDefinitionGetEntities"};
    plain["entities"]["groups"][0]["fail"] = {"SUGroupGetTransform"};
    DocumentModel model(plain);
    ASSERT_EQ(SUEntitiesGetGroups(RootEntities(model.get()), 1, &group, &count), SU_ERROR_NONE);
    SUTransformation transform;
    EXPECT_EQ(SUGroupGetTransform(group, &transform), SU_ERROR_GENERIC);
    SUEntitiesRef viaGroup = SU_INVALID;
    EXPECT_EQ(SUGroupGetEntities(group, &viaGroup), SU_ERROR_NONE);
    SUComponentDefinitionRef definition = SU_INVALID;
    ASSERT_EQ(SUGroupGetDefinition(group, &definition), SU_ERROR_NONE);
    SUEntitiesRef viaDefinition = SU_INVALID;
    EXPECT_EQ(SUComponentDefinitionGetEntities(definition, &viaDefinition), SU_ERROR_GENERIC);
    EXPECT_TRUE(SUIsInvalid(viaDefinition));
}

TEST_F(FaultInjection, FaceListGovernsItsHelperAndElementCalls) {
    SUMeshHelperRef helper = SU_INVALID;
    EXPECT_EQ(SUMeshHelperCreate(&helper, faces_[0]), SU_ERROR_GENERIC);
    EXPECT_TRUE(SUIsInvalid(helper));
    bool hidden = false;
    EXPECT_EQ(SUDrawingElementGetHidden(SUFaceToDrawingElement(faces_[0]), &hidden),
              SU_ERROR_GENERIC);

    // The second face makes helpers whose vertices cannot be read, and nothing else fails.
    ASSERT_EQ(SUMeshHelperCreate(&helper, faces_[1]), SU_ERROR_NONE);
    SUPoint3D points[3];
    size_t count = 0;
    EXPECT_EQ(SUMeshHelperGetVertices(helper, 3, points, &count), SU_ERROR_GENERIC);
    EXPECT_EQ(SUMeshHelperGetFrontSTQCoords(helper, 3, points, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
    SUMaterialRef material = SU_INVALID;
    EXPECT_EQ(SUFaceGetFrontMaterial(faces_[1], &material), SU_ERROR_NO_DATA);
    // The element call on the same face is not listed and still answers the front material.
    EXPECT_EQ(SUDrawingElementGetMaterial(SUFaceToDrawingElement(faces_[1]), &material),
              SU_ERROR_NONE);
    EXPECT_EQ(MaterialName(material), "*2");
}

TEST_F(FaultInjection, MaterialAndTextureLists) {
    const SUMaterialRef brick = MaterialNamed(model_.get(), "Brick");
    SUColor color;
    SUTextureRef texture = SU_INVALID;
    EXPECT_EQ(SUMaterialGetColor(brick, &color), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUMaterialGetTexture(brick, &texture), SU_ERROR_NO_DATA);

    const SUMaterialRef tinted = MaterialNamed(model_.get(), "*2");
    size_t count = 0;
    EXPECT_EQ(SUEntityGetNumAttributeDictionaries(SUMaterialToEntity(tinted), &count),
              SU_ERROR_GENERIC);
    SUAttributeDictionaryRef dictionary;
    ASSERT_EQ(SUEntityGetAttributeDictionaries(SUMaterialToEntity(tinted), 1, &dictionary, &count),
              SU_ERROR_NONE);
    TypedValue value;
    EXPECT_EQ(SUAttributeDictionaryGetValue(dictionary, "SurfaceTypeId", value.out()),
              SU_ERROR_NO_DATA);
    String name;
    EXPECT_EQ(SUAttributeDictionaryGetName(dictionary, name.out()), SU_ERROR_NONE);

    ASSERT_EQ(SUMaterialGetTexture(tinted, &texture), SU_ERROR_NONE);
    size_t width, height;
    double s, t;
    EXPECT_EQ(SUTextureGetDimensions(texture, &width, &height, &s, &t), SU_ERROR_GENERIC);
    ImageRep rep;
    EXPECT_EQ(SUTextureGetImageRep(texture, rep.out()), SU_ERROR_GENERIC);
    EXPECT_EQ(SUTextureGetColorizedImageRep(texture, rep.out()), SU_ERROR_NONE);
}

TEST_F(FaultInjection, ProjectionUsesTheDocumentWhateverTheListsSay) {
    // Brick's texture cannot be fetched through the API, yet its scales still project the STQ of
    // the chair's front face.
    SUComponentDefinitionRef chair;
    size_t count = 0;
    ASSERT_EQ(SUModelGetComponentDefinitions(model_.get(), 1, &chair, &count), SU_ERROR_NONE);
    SUEntitiesRef entities;
    ASSERT_EQ(SUComponentDefinitionGetEntities(chair, &entities), SU_ERROR_NONE);
    SUMeshHelperRef helper = SU_INVALID;
    ASSERT_EQ(SUMeshHelperCreate(&helper, FirstFace(entities)), SU_ERROR_NONE);
    SUPoint3D stq[5];
    ASSERT_EQ(SUMeshHelperGetFrontSTQCoords(helper, 5, stq, &count), SU_ERROR_NONE);
    EXPECT_DOUBLE_EQ(stq[2].x, 4 * 0.5);
    EXPECT_DOUBLE_EQ(stq[2].y, 2 * 0.25);
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
}

TEST_F(FaultInjection, LayerAndImageLists) {
    SULayerRef layers[2];
    size_t count = 0;
    ASSERT_EQ(SUModelGetLayers(model_.get(), 2, layers, &count), SU_ERROR_NONE);
    bool visible;
    EXPECT_EQ(SULayerGetVisibility(layers[0], &visible), SU_ERROR_NONE);
    EXPECT_EQ(SULayerGetVisibility(layers[1], &visible), SU_ERROR_GENERIC);

    SUImageRef image;
    ASSERT_EQ(SUEntitiesGetImages(root_, 1, &image, &count), SU_ERROR_NONE);
    SUTransformation transform;
    EXPECT_EQ(SUComponentInstanceGetTransform(SUComponentInstanceRef{image.ptr}, &transform),
              SU_ERROR_GENERIC);
    EXPECT_EQ(SUImageGetTransform(image, &transform), SU_ERROR_NONE);
}

}  // namespace
