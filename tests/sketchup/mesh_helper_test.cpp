// Mesh helpers seen through the API: the face's loop points, one normal per vertex, triangles
// that wind counter-clockwise around it, and the STQ of each side.
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

using namespace sutest;

namespace {

struct Mesh {
    std::vector<SUPoint3D> vertices, front, back;
    std::vector<SUVector3D> normals;
    std::vector<size_t> indices;
};

Mesh ReadMesh(SUFaceRef face) {
    Mesh mesh;
    SUMeshHelperRef helper = SU_INVALID;
    EXPECT_EQ(SUMeshHelperCreate(&helper, face), SU_ERROR_NONE);
    size_t vertices = 0, triangles = 0, count = 0;
    EXPECT_EQ(SUMeshHelperGetNumVertices(helper, &vertices), SU_ERROR_NONE);
    EXPECT_EQ(SUMeshHelperGetNumTriangles(helper, &triangles), SU_ERROR_NONE);
    mesh.vertices.resize(vertices);
    mesh.front.resize(vertices);
    mesh.back.resize(vertices);
    mesh.normals.resize(vertices);
    mesh.indices.resize(3 * triangles);
    EXPECT_EQ(SUMeshHelperGetVertices(helper, vertices, mesh.vertices.data(), &count),
              SU_ERROR_NONE);
    EXPECT_EQ(count, vertices);
    EXPECT_EQ(SUMeshHelperGetNormals(helper, vertices, mesh.normals.data(), &count), SU_ERROR_NONE);
    EXPECT_EQ(count, vertices);
    EXPECT_EQ(SUMeshHelperGetFrontSTQCoords(helper, vertices, mesh.front.data(), &count),
              SU_ERROR_NONE);
    EXPECT_EQ(count, vertices);
    EXPECT_EQ(SUMeshHelperGetBackSTQCoords(helper, vertices, mesh.back.data(), &count),
              SU_ERROR_NONE);
    EXPECT_EQ(count, vertices);
    EXPECT_EQ(
        SUMeshHelperGetVertexIndices(helper, mesh.indices.size(), mesh.indices.data(), &count),
        SU_ERROR_NONE);
    EXPECT_EQ(count, mesh.indices.size());
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
    return mesh;
}

// Sum of the triangles' areas, each signed by whether it winds counter-clockwise around the
// vertex normal; every index must address a vertex.
double WoundArea(const Mesh& mesh) {
    double area = 0;
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        for (size_t k = 0; k < 3; ++k) EXPECT_LT(mesh.indices[t + k], mesh.vertices.size());
        const SUPoint3D& a = mesh.vertices[mesh.indices[t]];
        const SUPoint3D& b = mesh.vertices[mesh.indices[t + 1]];
        const SUPoint3D& c = mesh.vertices[mesh.indices[t + 2]];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const SUVector3D& n = mesh.normals[mesh.indices[t]];
        area += 0.5 *
                ((uy * vz - uz * vy) * n.x + (uz * vx - ux * vz) * n.y + (ux * vy - uy * vx) * n.z);
    }
    return area;
}

std::vector<SUFaceRef> Faces(SUEntitiesRef entities) {
    size_t count = 0;
    EXPECT_EQ(SUEntitiesGetNumFaces(entities, &count), SU_ERROR_NONE);
    std::vector<SUFaceRef> faces(count);
    EXPECT_EQ(SUEntitiesGetFaces(entities, count, faces.data(), &count), SU_ERROR_NONE);
    return faces;
}

std::vector<SUFaceRef> ChairFaces(SUModelRef model) {
    SUComponentDefinitionRef chair = SU_INVALID;
    size_t count = 0;
    EXPECT_EQ(SUModelGetComponentDefinitions(model, 1, &chair, &count), SU_ERROR_NONE);
    SUEntitiesRef entities = SU_INVALID;
    EXPECT_EQ(SUComponentDefinitionGetEntities(chair, &entities), SU_ERROR_NONE);
    return Faces(entities);
}

void ExpectPoint(const SUPoint3D& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-12);
    EXPECT_NEAR(p.y, y, 1e-12);
    EXPECT_NEAR(p.z, z, 1e-12);
}

class MeshHelpers : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error(); }
    DocumentModel model_{RichDocument()};
};

TEST_F(MeshHelpers, SquareHasItsCornersTwoTrianglesAndAnUpNormal) {
    const Mesh mesh = ReadMesh(FirstFace(RootEntities(model_.get())));
    ASSERT_EQ(mesh.vertices.size(), 4u);
    ExpectPoint(mesh.vertices[2], 8, 8, 0);
    EXPECT_EQ(mesh.indices.size(), 6u);
    for (const SUVector3D& n : mesh.normals) {
        EXPECT_DOUBLE_EQ(n.z, 1);
        EXPECT_DOUBLE_EQ(n.x, 0);
    }
    EXPECT_NEAR(WoundArea(mesh), 64, 1e-9);
}

TEST_F(MeshHelpers, ConcaveFaceAndFaceWithHoleCoverTheirArea) {
    const auto faces = ChairFaces(model_.get());
    ASSERT_EQ(faces.size(), 2u);
    const Mesh concave = ReadMesh(faces[0]);
    EXPECT_EQ(concave.indices.size(), 3u * 3);  // k - 2
    EXPECT_NEAR(WoundArea(concave), 6, 1e-9);

    const Mesh holed = ReadMesh(faces[1]);
    ASSERT_EQ(holed.vertices.size(), 8u);  // outer loop, then the hole
    ExpectPoint(holed.vertices[4], 0, 2, 2);
    EXPECT_EQ(holed.indices.size(), 3u * 8);  // k - 2 + 2h
    EXPECT_NEAR(WoundArea(holed), 36 - 4, 1e-9);
    EXPECT_DOUBLE_EQ(holed.normals[0].x, -1);
}

TEST_F(MeshHelpers, StqFromTheDocumentIsReturnedAsGiven) {
    const auto faces = Faces(RootEntities(model_.get()));
    const Mesh mesh = ReadMesh(faces[1]);
    ASSERT_EQ(mesh.front.size(), 3u);
    ExpectPoint(mesh.front[1], 2, 0, 2);
    ExpectPoint(mesh.front[2], 0, 3, 0);  // q may be 0
    // The back has none given: projected with scale 1 (no back material), q = 1.
    ExpectPoint(mesh.back[1], 1, 0, 1);
}

TEST_F(MeshHelpers, ProjectedStqUsesEachSidesOwnTextureScales) {
    const auto faces = ChairFaces(model_.get());
    // Front "Brick": s scale 0.5, t scale 0.25; the normal is +z, so a = X and b = Y.
    const Mesh flat = ReadMesh(faces[0]);
    ExpectPoint(flat.front[2], 4 * 0.5, 2 * 0.25, 1);
    ExpectPoint(flat.back[2], 4, 2, 1);
    // Normal -X: a = Z x n = -Y, b = n x a = +Z. Back "*2" has a 1 x 2 image: scales 1 and 1/2.
    const Mesh wall = ReadMesh(faces[1]);
    ExpectPoint(wall.vertices[2], 0, 6, 6);
    ExpectPoint(wall.back[2], -6, 3, 1);
    ExpectPoint(wall.front[2], -6, 6, 1);
}

TEST_F(MeshHelpers, PartialReadsStopAtTheCapacity) {
    SUMeshHelperRef helper = SU_INVALID;
    ASSERT_EQ(SUMeshHelperCreate(&helper, FirstFace(RootEntities(model_.get()))), SU_ERROR_NONE);
    SUPoint3D points[2];
    size_t count = 0;
    EXPECT_EQ(SUMeshHelperGetVertices(helper, 2, points, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(SUMeshHelperGetVertices(helper, 2, nullptr, &count), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(SUMeshHelperGetVertices(helper, 2, points, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    SUMeshHelperRef second = SU_INVALID;  // several helpers of one face may live at once
    EXPECT_EQ(SUMeshHelperCreate(&second, FirstFace(RootEntities(model_.get()))), SU_ERROR_NONE);
    EXPECT_FALSE(SUAreEqual(helper, second));
    EXPECT_EQ(SUMeshHelperRelease(&second), SU_ERROR_NONE);
    EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
}

TEST_F(MeshHelpers, OnlyFacesMakeHelpers) {
    SUMeshHelperRef helper = SU_INVALID;
    SUGroupRef group;
    size_t count = 0;
    ASSERT_EQ(SUEntitiesGetGroups(RootEntities(model_.get()), 1, &group, &count), SU_ERROR_NONE);
    const SUFaceRef notAFace = {group.ptr};
    EXPECT_EQ(SUMeshHelperCreate(&helper, notAFace), SU_ERROR_INVALID_INPUT);
    EXPECT_TRUE(SUIsInvalid(helper));
}

}  // namespace
