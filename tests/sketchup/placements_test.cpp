// Groups, instances and images: their types, conversions and definitions, and the calls of theirs
// the plug-in does not make. Transforms, layers, hiding and materials as the plug-in asks for them
// are what its scan and walk tests load documents through, and their faults fail those.
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

TEST(Placements, TypesConversionsAndDefinitions) {
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

    // A group's entities are its definition's.
    const SUComponentDefinitionRef room = Get(SUGroupGetDefinition, r.group);
    EXPECT_EQ(TextOf(SUComponentDefinitionGetName, room), "Room");
    EXPECT_TRUE(
        SUAreEqual(Get(SUGroupGetEntities, r.group), Get(SUComponentDefinitionGetEntities, room)));

    // An image's own calls answer what it answers where an instance is expected.
    const SUComponentInstanceRef asInstance = {r.image.ptr};
    EXPECT_EQ(TransformOf(SUImageGetTransform, r.image),
              (Values{2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1}));
    EXPECT_EQ(TransformOf(SUComponentInstanceGetTransform, asInstance),
              TransformOf(SUImageGetTransform, r.image));
    const SUComponentDefinitionRef photo = Get(SUComponentInstanceGetDefinition, asInstance);
    EXPECT_EQ(TextOf(SUComponentDefinitionGetName, photo), "Photo");
}

}  // namespace
