// Fault injection: a document's "fail" lists make the named functions fail on exactly the
// objects that list them, and nowhere else.
#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"

using namespace sutest;

namespace {

// Creates a mesh helper of `face` and, if asked, reads its vertices; answers the first failure.
SUResult UseHelper(SUFaceRef face, bool readVertices) {
    SUMeshHelperRef helper = SU_INVALID;
    SUResult result = SUMeshHelperCreate(&helper, face);
    EXPECT_EQ(SUIsValid(helper), result == SU_ERROR_NONE);
    SUPoint3D points[8];
    size_t count = 0;
    if (SUIsValid(helper) && readVertices)
        result = SUMeshHelperGetVertices(helper, 8, points, &count);
    EXPECT_TRUE(SUIsInvalid(helper) || SUMeshHelperRelease(&helper) == SU_ERROR_NONE);
    return result;
}

// `function` in the fail list at `owner` makes `call` answer `listed`; without the list the
// same call answers SU_ERROR_NONE.
struct Fault {
    const char* owner;
    const char* function;
    SUResult listed;
    std::function<SUResult(const Rich&)> call;
};
using R = const Rich&;  // keeps each row of the table short

constexpr SUResult kGeneric = SU_ERROR_GENERIC, kNone = SU_ERROR_NONE, kNoData = SU_ERROR_NO_DATA;

// clang-format off
const Fault kFaults[] = {
    {"", "SUModelGetRenderingOptions", kGeneric,
     [](R r) { return Ask(SUModelGetRenderingOptions, r.model.get()); }},
    {"", "SUEntitiesGetNumFaces", kGeneric, [](R r) { return Ask(SUEntitiesGetNumFaces, r.root); }},
    {"", "SUEntitiesGetNumFaces", kNone,  // a definition's entities are not the root's
     [](R r) { return Ask(SUEntitiesGetNumFaces, r.chairEntities); }},
    {"/layers/1", "SULayerGetVisibility", kGeneric,
     [](R r) { return Ask(SULayerGetVisibility, r.layers[1]); }},
    {"/materials/0", "SUMaterialGetColor", kNoData,
     [](R r) { return Ask(SUMaterialGetColor, r.brick); }},
    {"/materials/1", "SUEntityGetNumAttributeDictionaries", kGeneric,
     [](R r) { return Ask(SUEntityGetNumAttributeDictionaries, SUMaterialToEntity(r.tinted)); }},
    {"/materials/1/texture", "SUTextureGetImageRep", kGeneric,
     [](R r) { return SUTextureGetImageRep(TextureOf(r.tinted), ImageRep().out()); }},
    {"/materials/1/texture", "SUTextureGetImageRep", kNone,
     [](R r) { return SUTextureGetColorizedImageRep(TextureOf(r.tinted), ImageRep().out()); }},
    {"/definitions/1", "SUComponentDefinitionGetEntities", kGeneric,
     [](R r) { return Ask(SUComponentDefinitionGetEntities, Get(SUGroupGetDefinition, r.group)); }},
    {"/definitions/1", "SUComponentDefinitionGetEntities", kNone,  // the group's own call
     [](R r) { return Ask(SUGroupGetEntities, r.group); }},
    {"/entities/faces/0", "SUMeshHelperCreate", kGeneric,
     [](R r) { return UseHelper(r.faces[0], false); }},
    {"/entities/faces/0", "SUMeshHelperCreate", kNone,
     [](R r) { return UseHelper(r.faces[1], false); }},
    {"/entities/faces/1", "SUMeshHelperGetVertices", kGeneric,
     [](R r) { return UseHelper(r.faces[1], true); }},
    {"/entities/faces/1", "SUFaceGetFrontMaterial", kNoData,
     [](R r) { return Ask(SUFaceGetFrontMaterial, r.faces[1]); }},
    {"/entities/faces/1", "SUFaceGetFrontMaterial", kNone,
     [](R r) { return Ask(SUDrawingElementGetMaterial, {r.faces[1].ptr}); }},
    {"/entities/groups/0", "SUGroupGetTransform", kGeneric,
     [](R r) { return Ask(SUGroupGetTransform, r.group); }},
    {"/entities/images/0", "SUComponentInstanceGetTransform", kGeneric,
     [](R r) { return Ask(SUComponentInstanceGetTransform, {r.image.ptr}); }},
    {"/entities/images/0", "SUComponentInstanceGetTransform", kNone,
     [](R r) { return Ask(SUImageGetTransform, r.image); }},
};
// clang-format on

TEST(FaultInjection, ListedCallsFailOnTheirObjectOnly) {
    const Rich plain;
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(std::string(fault.owner) + " lists " + fault.function);
        Json document = RichDocument();
        document[Json::json_pointer(std::string(fault.owner) + "/fail")] = {fault.function};
        const Rich faulty(document);
        EXPECT_EQ(fault.call(plain), SU_ERROR_NONE);
        EXPECT_EQ(fault.call(faulty), fault.listed);
    }

    // Brick's texture cannot be fetched through the API, yet its scales still project the STQ of
    // the chair's front face.
    Json document = RichDocument();
    document["materials"][0]["fail"] = {"SUMaterialGetTexture"};
    document["materials"][0]["texture"]["fail"] = {"SUTextureGetDimensions"};
    const Mesh mesh = ReadMesh(Rich(document).chairFaces[0]);
    EXPECT_DOUBLE_EQ(mesh.front[2].x, 4 * 0.5);
    EXPECT_DOUBLE_EQ(mesh.front[2].y, 2 * 0.25);
}

}  // namespace
