// Groups, instances and images: their types, conversions, transforms, definitions, layers and
// materials, and the image-as-instance answers the plug-in relies on.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

using Values = std::vector<double>;

template <class Ref>
Values TransformOf(SUResult (*get)(Ref, SUTransformation*), Ref ref) {
    const SUTransformation transform = Get(get, ref);
    return {transform.values, transform.values + 16};
}

TEST(Placements, TypesConversionsTransformsAndDefinitions) {
    const Rich r;
    // The numbering before SketchUp 2025, which the plug-in was built against.
    const std::pair<SUEntityRef, int> types[] = {
        {SUComponentInstanceToEntity(r.instances[0]), 4},
        {SUFaceToEntity(r.faces[0]), 9},
        {SUGroupToEntity(r.group), 10},
        {SUImageToEntity(r.image), 11},
        {SUMaterialToEntity(r.brick), 16},
    };
    for (const auto& [entity, type] : types) EXPECT_EQ(int(SUEntityGetType(entity)), type);

    // Conversions check the type; an image is not a component instance when asked this way.
    const SUEntityRef group = SUGroupToEntity(r.group), image = SUImageToEntity(r.image);
    EXPECT_TRUE(SUAreEqual(SUImageFromEntity(image), r.image));
    EXPECT_TRUE(SUIsInvalid(SUComponentInstanceFromEntity(group)));
    EXPECT_TRUE(SUIsInvalid(SUComponentInstanceFromEntity(image)));
    EXPECT_TRUE(SUIsInvalid(SUGroupFromEntity(image)));

    EXPECT_EQ(TransformOf(SUGroupGetTransform, r.group),
              (Values{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 100, 0, 0, 1}));
    EXPECT_EQ(TransformOf(SUComponentInstanceGetTransform, r.instances[0]),
              (Values{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(TransformOf(SUComponentInstanceGetTransform, r.instances[1])[0], -1);  // mirrored

    // A group's entities are its definition's.
    const SUComponentDefinitionRef room = Get(SUGroupGetDefinition, r.group);
    EXPECT_EQ(TextOf(SUComponentDefinitionGetName, room), "Room");
    const SUEntitiesRef entities = Get(SUGroupGetEntities, r.group);
    EXPECT_TRUE(SUAreEqual(entities, Get(SUComponentDefinitionGetEntities, room)));
    const auto nested = List(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances);
    EXPECT_TRUE(SUAreEqual(Get(SUComponentInstanceGetDefinition, nested.at(0)), r.chair));

    // An image answers where an instance is expected, as the plug-in asks.
    const SUComponentInstanceRef asInstance = {r.image.ptr};
    const Values transform = TransformOf(SUComponentInstanceGetTransform, asInstance);
    EXPECT_EQ(transform, (Values{2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1}));
    EXPECT_EQ(TransformOf(SUImageGetTransform, r.image), transform);
    const SUComponentDefinitionRef photo = Get(SUComponentInstanceGetDefinition, asInstance);
    EXPECT_EQ(TextOf(SUComponentDefinitionGetName, photo), "Photo");
    EXPECT_EQ(Get(SUEntitiesGetNumFaces, Get(SUComponentDefinitionGetEntities, photo)), 1u);
}

TEST(Placements, HiddenLayersAndMaterials) {
    Json document = RichDocument();
    document.erase("defaultLayer");  // then the first layer is the default
    const Rich r(document);
    EXPECT_FALSE(Get(SUDrawingElementGetHidden, SUGroupToDrawingElement(r.group)));
    EXPECT_TRUE(
        Get(SUDrawingElementGetHidden, SUComponentInstanceToDrawingElement(r.instances[0])));

    const SULayerRef ghosts = Get(SUDrawingElementGetLayer, SUGroupToDrawingElement(r.group));
    EXPECT_TRUE(SUAreEqual(ghosts, r.layers[2]));
    EXPECT_FALSE(Get(SULayerGetVisibility, ghosts));
    // Absent layer: the default one.
    EXPECT_TRUE(SUAreEqual(Get(SUModelGetDefaultLayer, r.model.get()), r.layers[0]));
    EXPECT_TRUE(
        SUAreEqual(Get(SUDrawingElementGetLayer, SUImageToDrawingElement(r.image)), r.layers[0]));

    EXPECT_TRUE(SUAreEqual(
        Get(SUDrawingElementGetMaterial, SUComponentInstanceToDrawingElement(r.instances[1])),
        r.tinted));
    EXPECT_EQ(Ask(SUDrawingElementGetMaterial, SUComponentInstanceToDrawingElement(r.instances[0])),
              SU_ERROR_NO_DATA);
    EXPECT_TRUE(SUAreEqual(Get(SULayerGetMaterial, r.layers[1]), r.brick));
    EXPECT_EQ(Get(SUMaterialGetType, r.brick), SUMaterialType_Textured);  // default with a texture
    EXPECT_EQ(Get(SUMaterialGetType, r.tinted), SUMaterialType_ColorizedTexture);
    const SUColor color = Get(SUMaterialGetColor, r.tinted);
    EXPECT_EQ(std::vector<int>({color.red, color.green, color.blue, color.alpha}),
              (std::vector<int>{10, 20, 30, 128}));
}

}  // namespace
