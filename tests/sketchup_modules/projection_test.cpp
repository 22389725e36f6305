#include <gtest/gtest.h>

#include <cmath>

#include "tessellate.h"

namespace skpm {
namespace {

FaceMesh MeshOf(const std::vector<Vec3>& outer) {
    FaceMesh mesh;
    std::string reason;
    EXPECT_TRUE(TessellateFace(outer, {}, mesh, reason)) << reason;
    return mesh;
}

void ExpectStq(const std::vector<Vec3>& stq, const std::vector<Vec3>& expected) {
    ASSERT_EQ(stq.size(), expected.size());
    for (size_t i = 0; i < stq.size(); ++i) {
        EXPECT_NEAR(stq[i].x, expected[i].x, 1e-12) << "s of vertex " << i;
        EXPECT_NEAR(stq[i].y, expected[i].y, 1e-12) << "t of vertex " << i;
        EXPECT_EQ(stq[i].z, 1) << "q of vertex " << i;
    }
}

TEST(PlanarProjection, FloorMapsXAndYToSAndT) {
    const FaceMesh floor = MeshOf({{1, 2, 3}, {11, 2, 3}, {11, 7, 3}, {1, 7, 3}});
    ExpectStq(PlanarProjectionSTQ(floor, 0.5, 0.25),
              {{0.5, 0.5, 1}, {5.5, 0.5, 1}, {5.5, 1.75, 1}, {0.5, 1.75, 1}});
}

TEST(PlanarProjection, CeilingFlipsT) {
    // n = -Z: a = X, b = n x a = -Y.
    const FaceMesh ceiling = MeshOf({{0, 0, 3}, {0, 4, 3}, {2, 4, 3}, {2, 0, 3}});
    ExpectStq(PlanarProjectionSTQ(ceiling, 1, 1), {{0, 0, 1}, {0, -4, 1}, {2, -4, 1}, {2, 0, 1}});
}

TEST(PlanarProjection, WallsUseTheHorizontalAxisZCrossN) {
    // Facing -Y: a = Z x n = X, b = n x a = Z.
    const FaceMesh south = MeshOf({{0, 5, 0}, {4, 5, 0}, {4, 5, 2}, {0, 5, 2}});
    ExpectStq(PlanarProjectionSTQ(south, 2, 3), {{0, 0, 1}, {8, 0, 1}, {8, 6, 1}, {0, 6, 1}});
    // Facing +X: a = Z x X = Y, b = X x Y = Z.
    const FaceMesh east = MeshOf({{7, 0, 0}, {7, 4, 0}, {7, 4, 2}, {7, 0, 2}});
    ExpectStq(PlanarProjectionSTQ(east, 1, 1), {{0, 0, 1}, {4, 0, 1}, {4, 2, 1}, {0, 2, 1}});
}

TEST(PlanarProjection, SlopedRoof) {
    // n = (0, -0.6, 0.8): a = normalize(Z x n) = X, b = n x a = (0, 0.8, 0.6).
    const FaceMesh roof = MeshOf({{0, 0, 0}, {10, 0, 0}, {10, 8, 6}, {0, 8, 6}});
    ExpectStq(PlanarProjectionSTQ(roof, 0.1, 0.5), {{0, 0, 1}, {1, 0, 1}, {1, 5, 1}, {0, 5, 1}});
}

TEST(PlanarProjection, NearlyHorizontalFaceUsesTheXAxis) {
    // |n.z| just above 0.999: the X axis, not normalize(Z x n) = -Y direction.
    const double rise = 0.04;  // n ~ (-0.03998, 0, 0.9992)
    const FaceMesh tilted = MeshOf({{0, 0, 0}, {1, 0, rise}, {1, 1, rise}, {0, 1, 0}});
    ASSERT_GT(std::fabs(tilted.normal.z), 0.999);
    const std::vector<Vec3> stq = PlanarProjectionSTQ(tilted, 1, 1);
    EXPECT_NEAR(stq[1].x, 1, 1e-12);
    EXPECT_NEAR(stq[2].x, 1, 1e-12);
}

}  // namespace
}  // namespace skpm
