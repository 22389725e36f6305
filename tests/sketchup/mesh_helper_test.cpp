// Mesh helpers seen through the API: the face's loop points, one normal per vertex, the
// triangles' count, and the STQ of each side. How the triangles wind and cover the face is the
// tessellator's test; that they reach the plug-in as made, its loads' winding check.
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

using namespace sutest;

namespace {

void ExpectPoint(const SUPoint3D& p, double x, double y, double z) {
    EXPECT_LT(std::hypot(p.x - x, p.y - y, p.z - z), 1e-12) << p.x << ", " << p.y << ", " << p.z;
}

TEST(MeshHelpers, LoopPointsNormalsTriangleCountsAndTheStqOfEachSide) {
    const Rich r;
    const Mesh square = ReadMesh(r.faces[0]);
    ASSERT_EQ(square.vertices.size(), 4u);
    ExpectPoint(square.vertices[2], 8, 8, 0);
    EXPECT_EQ(square.indices.size(), 6u);
    for (const SUVector3D& n : square.normals) ExpectPoint({n.x, n.y, n.z}, 0, 0, 1);
    EXPECT_EQ(ReadMesh(r.chairFaces[0]).indices.size(), 3u * 3);  // k - 2

    const Mesh holed = ReadMesh(r.chairFaces[1]);
    ASSERT_EQ(holed.vertices.size(), 8u);  // outer loop, then the hole
    ExpectPoint(holed.vertices[4], 0, 2, 2);
    EXPECT_EQ(holed.indices.size(), 3u * 8);  // k - 2 + 2h
    EXPECT_DOUBLE_EQ(holed.normals[0].x, -1);

    // STQ is given, or projected with each side's texture scales.
    const Mesh given = ReadMesh(r.faces[1]);
    ASSERT_EQ(given.front.size(), 3u);
    ExpectPoint(given.front[1], 2, 0, 2);
    ExpectPoint(given.front[2], 0, 3, 0);  // q may be 0
    // The back has none given: projected with scale 1 (no back material), q = 1.
    ExpectPoint(given.back[1], 1, 0, 1);

    // Front "Brick": s scale 0.5, t scale 0.25; the normal is +z, so a = X and b = Y.
    const Mesh flat = ReadMesh(r.chairFaces[0]);
    ExpectPoint(flat.front[2], 4 * 0.5, 2 * 0.25, 1);
    ExpectPoint(flat.back[2], 4, 2, 1);
    // Normal -X: a = Z x n = -Y, b = n x a = +Z. Back "*2" has a 1 x 2 image: scales 1 and 1/2.
    const Mesh wall = ReadMesh(r.chairFaces[1]);
    ExpectPoint(wall.vertices[2], 0, 6, 6);
    ExpectPoint(wall.back[2], -6, 3, 1);
    ExpectPoint(wall.front[2], -6, 6, 1);
}

}  // namespace
