// Groups, instances and images: their types, conversions, transforms and definitions, and the
// image-as-instance answers the plug-in relies on.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

class Placements : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error();
        root_ = RootEntities(model_.get());
        size_t count = 0;
        ASSERT_EQ(SUEntitiesGetGroups(root_, 1, &group_, &count), SU_ERROR_NONE);
        ASSERT_EQ(SUEntitiesGetInstances(root_, 2, instances_, &count), SU_ERROR_NONE);
        ASSERT_EQ(SUEntitiesGetImages(root_, 1, &image_, &count), SU_ERROR_NONE);
    }

    std::string DefinitionName(SUComponentDefinitionRef definition) {
        String name;
        EXPECT_EQ(SUComponentDefinitionGetName(definition, name.out()), SU_ERROR_NONE);
        return name.Utf8();
    }

    DocumentModel model_{RichDocument()};
    SUEntitiesRef root_ = SU_INVALID;
    SUGroupRef group_ = SU_INVALID;
    SUComponentInstanceRef instances_[2] = {};
    SUImageRef image_ = SU_INVALID;
};

TEST_F(Placements, EntityTypesUseThePre2025Numbering) {
    EXPECT_EQ(SUEntityGetType(SUGroupToEntity(group_)), SURefType_Group);
    EXPECT_EQ(SUEntityGetType(SUComponentInstanceToEntity(instances_[0])),
              SURefType_ComponentInstance);
    EXPECT_EQ(SUEntityGetType(SUImageToEntity(image_)), SURefType_Image);
    EXPECT_EQ(SUEntityGetType(SUFaceToEntity(FirstFace(root_))), SURefType_Face);
    EXPECT_EQ(SUEntityGetType(SUMaterialToEntity(MaterialNamed(model_.get(), "Brick"))),
              SURefType_Material);
    EXPECT_EQ(static_cast<int>(SURefType_ComponentInstance), 4);
    EXPECT_EQ(static_cast<int>(SURefType_Face), 9);
    EXPECT_EQ(static_cast<int>(SURefType_Group), 10);
    EXPECT_EQ(static_cast<int>(SURefType_Image), 11);
    EXPECT_EQ(static_cast<int>(SURefType_Material), 16);
}

TEST_F(Placements, ConversionsKeepThePointerAndCheckTheType) {
    const SUEntityRef entity = SUGroupToEntity(group_);
    EXPECT_EQ(entity.ptr, group_.ptr);
    EXPECT_EQ(SUGroupToDrawingElement(group_).ptr, group_.ptr);
    EXPECT_TRUE(SUAreEqual(SUGroupFromEntity(entity), group_));
    EXPECT_TRUE(SUIsInvalid(SUComponentInstanceFromEntity(entity)));
    EXPECT_TRUE(SUIsInvalid(SUGroupFromEntity(SUImageToEntity(image_))));
    // An image is not a component instance when asked through the entity conversions.
    EXPECT_TRUE(SUIsInvalid(SUComponentInstanceFromEntity(SUImageToEntity(image_))));
    EXPECT_TRUE(SUAreEqual(SUImageFromEntity(SUImageToEntity(image_)), image_));
    EXPECT_TRUE(SUIsInvalid(SUFaceFromEntity(entity)));
    EXPECT_TRUE(SUIsInvalid(SUGroupFromEntity(SUEntityRef SU_INVALID)));
}

TEST_F(Placements, TransformsAreTheDocumentsValues) {
    SUTransformation transform;
    ASSERT_EQ(SUGroupGetTransform(group_, &transform), SU_ERROR_NONE);
    const double rotated[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 100, 0, 0, 1};
    EXPECT_TRUE(std::equal(rotated, rotated + 16, transform.values));

    ASSERT_EQ(SUComponentInstanceGetTransform(instances_[0], &transform), SU_ERROR_NONE);
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_TRUE(std::equal(identity, identity + 16, transform.values));

    ASSERT_EQ(SUComponentInstanceGetTransform(instances_[1], &transform), SU_ERROR_NONE);
    EXPECT_EQ(transform.values[0], -1);  // mirrored
}

TEST_F(Placements, AnImageAnswersWhereAnInstanceIsExpected) {
    const SUComponentInstanceRef asInstance = {image_.ptr};
    SUTransformation transform;
    ASSERT_EQ(SUComponentInstanceGetTransform(asInstance, &transform), SU_ERROR_NONE);
    EXPECT_EQ(transform.values[0], 2);
    EXPECT_EQ(transform.values[12], 7);
    EXPECT_EQ(transform.values[13], 8);
    EXPECT_EQ(transform.values[14], 9);
    SUTransformation viaImage;
    ASSERT_EQ(SUImageGetTransform(image_, &viaImage), SU_ERROR_NONE);
    EXPECT_TRUE(std::equal(transform.values, transform.values + 16, viaImage.values));

    SUComponentDefinitionRef definition = SU_INVALID;
    ASSERT_EQ(SUComponentInstanceGetDefinition(asInstance, &definition), SU_ERROR_NONE);
    EXPECT_EQ(DefinitionName(definition), "Photo");
    SUEntitiesRef entities = SU_INVALID;
    ASSERT_EQ(SUComponentDefinitionGetEntities(definition, &entities), SU_ERROR_NONE);
    size_t faces = 0;
    EXPECT_EQ(SUEntitiesGetNumFaces(entities, &faces), SU_ERROR_NONE);
    EXPECT_EQ(faces, 1u);

    // A group is not an instance.
    const SUComponentInstanceRef groupAsInstance = {group_.ptr};
    EXPECT_EQ(SUComponentInstanceGetTransform(groupAsInstance, &transform), SU_ERROR_INVALID_INPUT);
}

TEST_F(Placements, GroupsReachTheirDefinitionsEntities) {
    SUEntitiesRef viaGroup = SU_INVALID;
    ASSERT_EQ(SUGroupGetEntities(group_, &viaGroup), SU_ERROR_NONE);
    SUComponentDefinitionRef definition = SU_INVALID;
    ASSERT_EQ(SUGroupGetDefinition(group_, &definition), SU_ERROR_NONE);
    EXPECT_EQ(DefinitionName(definition), "Room");
    SUComponentDefinitionRef groupDefinitions[1];
    size_t count = 0;
    ASSERT_EQ(SUModelGetGroupDefinitions(model_.get(), 1, groupDefinitions, &count), SU_ERROR_NONE);
    EXPECT_TRUE(SUAreEqual(groupDefinitions[0], definition));
    SUEntitiesRef viaDefinition = SU_INVALID;
    ASSERT_EQ(SUComponentDefinitionGetEntities(definition, &viaDefinition), SU_ERROR_NONE);
    EXPECT_TRUE(SUAreEqual(viaGroup, viaDefinition));

    SUComponentInstanceRef nested;
    ASSERT_EQ(SUEntitiesGetInstances(viaGroup, 1, &nested, &count), SU_ERROR_NONE);
    ASSERT_EQ(SUComponentInstanceGetDefinition(nested, &definition), SU_ERROR_NONE);
    EXPECT_EQ(DefinitionName(definition), "Chair");
}

TEST_F(Placements, ElementsAnswerHiddenLayerAndMaterial) {
    bool hidden = true;
    ASSERT_EQ(SUDrawingElementGetHidden(SUGroupToDrawingElement(group_), &hidden), SU_ERROR_NONE);
    EXPECT_FALSE(hidden);
    ASSERT_EQ(
        SUDrawingElementGetHidden(SUComponentInstanceToDrawingElement(instances_[0]), &hidden),
        SU_ERROR_NONE);
    EXPECT_TRUE(hidden);

    SULayerRef layer = SU_INVALID;
    ASSERT_EQ(SUDrawingElementGetLayer(SUGroupToDrawingElement(group_), &layer), SU_ERROR_NONE);
    bool visible = true;
    EXPECT_EQ(SULayerGetVisibility(layer, &visible), SU_ERROR_NONE);
    EXPECT_FALSE(visible);
    // Absent layer: the default one.
    SULayerRef defaultLayer = SU_INVALID;
    ASSERT_EQ(SUModelGetDefaultLayer(model_.get(), &defaultLayer), SU_ERROR_NONE);
    ASSERT_EQ(SUDrawingElementGetLayer(SUImageToDrawingElement(image_), &layer), SU_ERROR_NONE);
    EXPECT_TRUE(SUAreEqual(layer, defaultLayer));

    SUMaterialRef material = SU_INVALID;
    ASSERT_EQ(
        SUDrawingElementGetMaterial(SUComponentInstanceToDrawingElement(instances_[1]), &material),
        SU_ERROR_NONE);
    EXPECT_EQ(MaterialName(material), "*2");
    EXPECT_EQ(
        SUDrawingElementGetMaterial(SUComponentInstanceToDrawingElement(instances_[0]), &material),
        SU_ERROR_NO_DATA);
}

TEST_F(Placements, ModelLevelAnswers) {
    int major = 0, minor = 0, build = 0;
    ASSERT_EQ(SUModelGetVersion(model_.get(), &major, &minor, &build), SU_ERROR_NONE);
    EXPECT_EQ(major, 23);
    EXPECT_EQ(minor, 1);
    EXPECT_EQ(build, 340);
    SULayerRef layers[3];
    size_t count = 0;
    ASSERT_EQ(SUModelGetLayers(model_.get(), 3, layers, &count), SU_ERROR_NONE);
    SUMaterialRef material = SU_INVALID;
    ASSERT_EQ(SULayerGetMaterial(layers[1], &material), SU_ERROR_NONE);
    EXPECT_EQ(MaterialName(material), "Brick");
    SUMaterialType type;
    ASSERT_EQ(SUMaterialGetType(MaterialNamed(model_.get(), "Brick"), &type), SU_ERROR_NONE);
    EXPECT_EQ(type, SUMaterialType_Textured);  // the default with a texture
    ASSERT_EQ(SUMaterialGetType(MaterialNamed(model_.get(), "*2"), &type), SU_ERROR_NONE);
    EXPECT_EQ(type, SUMaterialType_ColorizedTexture);
    SUColor color;
    ASSERT_EQ(SUMaterialGetColor(MaterialNamed(model_.get(), "*2"), &color), SU_ERROR_NONE);
    EXPECT_EQ(color.red, 10);
    EXPECT_EQ(color.green, 20);
    EXPECT_EQ(color.blue, 30);
    EXPECT_EQ(color.alpha, 128);
}

TEST(DefaultLayer, IsTheFirstLayerWhenNotNamed) {
    Json document = MinimalDocument();
    document["layers"] = {{{"name", "First"}}, {{"name", "Second"}}};
    document["entities"]["faces"] = {Square()};
    DocumentModel model(document);
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    SULayerRef layer = SU_INVALID;
    ASSERT_EQ(SUModelGetDefaultLayer(model.get(), &layer), SU_ERROR_NONE);
    String name;
    ASSERT_EQ(SULayerGetName(layer, name.out()), SU_ERROR_NONE);
    EXPECT_EQ(name.Utf8(), "First");
    SULayerRef faceLayer = SU_INVALID;
    ASSERT_EQ(SUDrawingElementGetLayer(SUFaceToDrawingElement(FirstFace(RootEntities(model.get()))),
                                       &faceLayer),
              SU_ERROR_NONE);
    EXPECT_TRUE(SUAreEqual(faceLayer, layer));
}

}  // namespace
