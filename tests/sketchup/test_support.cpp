#include "test_support.h"

#include "file_contents.h"

namespace sutest {

SUTextureRef TextureOf(SUMaterialRef material) {
    return Get(SUMaterialGetTexture, material);
}

Mesh ReadMesh(SUFaceRef face) {
    SUMeshHelperRef helper = SU_INVALID;
    EXPECT_EQ(SUMeshHelperCreate(&helper, face), SU_ERROR_NONE);
    const size_t n = Get(SUMeshHelperGetNumVertices, helper);
    Mesh mesh{std::vector<SUPoint3D>(n), std::vector<SUPoint3D>(n), std::vector<SUPoint3D>(n),
              std::vector<SUVector3D>(n),
              std::vector<size_t>(3 * Get(SUMeshHelperGetNumTriangles, helper))};
    const auto read = [helper](auto get, auto& out) {
        size_t count = 0;
        EXPECT_EQ(get(helper, out.size(), out.data(), &count), SU_ERROR_NONE);
        EXPECT_EQ(count, out.size());
    };
    read(SUMeshHelperGetVertices, mesh.vertices);
    read(SUMeshHelperGetFrontSTQCoords, mesh.front);
    read(SUMeshHelperGetBackSTQCoords, mesh.back);
    read(SUMeshHelperGetNormals, mesh.normals);
    read(SUMeshHelperGetVertexIndices, mesh.indices);
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
    return mesh;
}

std::vector<SUByte> Pixels(SUImageRepRef rep) {
    size_t size = 0, bits = 0;
    EXPECT_EQ(SUImageRepGetDataSize(rep, &size, &bits), SU_ERROR_NONE);
    std::vector<SUByte> data(size);
    EXPECT_EQ(SUImageRepGetData(rep, data.size(), data.data()), SU_ERROR_NONE);
    return data;
}

Json RichDocument() {
    static const Json rich = testsupport::ReadJson(SKETCHUP_TEST_DOCUMENTS "/rich.skpm");
    return rich;
}

namespace {

// Fills `out` without asking for counts, so that fault injection may make count calls fail.
template <class Parent, class Ref, size_t N>
void Fill(Parent parent, SUResult (*get)(Parent, size_t, Ref[], size_t*), Ref (&out)[N]) {
    size_t count = 0;
    EXPECT_EQ(get(parent, N, out, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, N);
}

template <class Parent, class Ref>
Ref First(Parent parent, SUResult (*get)(Parent, size_t, Ref[], size_t*)) {
    Ref refs[1] = {};
    Fill(parent, get, refs);
    return refs[0];
}

}  // namespace

Rich::Rich(const Json& document) : model(document) {
    EXPECT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    root = Get(SUModelGetEntities, model.get());
    Fill(root, SUEntitiesGetFaces, faces);
    group = First(root, SUEntitiesGetGroups);
    Fill(root, SUEntitiesGetInstances, instances);
    image = First(root, SUEntitiesGetImages);
    Fill(model.get(), SUModelGetLayers, layers);
    chair = First(model.get(), SUModelGetComponentDefinitions);
    chairEntities = Get(SUComponentDefinitionGetEntities, chair);
    Fill(chairEntities, SUEntitiesGetFaces, chairFaces);
    Fill(model.get(), SUModelGetMaterials, materials);
}

}  // namespace sutest
