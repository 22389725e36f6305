// Plane figures with known areas, placed on arbitrary planes, and a full check of a face mesh.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tessellate.h"

namespace skpm::test {

using Loop = std::vector<Vec3>;
using Loop2 = std::vector<std::pair<double, double>>;

// Maps the plane point (x, y) to origin + x * u + y * v; u and v are orthonormal, so areas and
// windings carry over and the front normal is u x v.
struct Placement {
    std::string name;
    Vec3 origin, u, v;
};
std::vector<Placement> Placements();  // the XY plane, a vertical wall, a tilted plane far out
Vec3 FrontNormal(const Placement& placement);
Loop Place(const Placement& placement, const Loop2& figure);

// A regular or star polygon around the origin, counter-clockwise: `corners` points alternating
// between the two radii (equal radii give a regular polygon).
Loop2 StarFigure(int corners, double outerRadius, double innerRadius);
Loop2 Reversed(Loop2 figure);
// Each side cut into `parts` collinear pieces.
Loop2 Subdivided(const Loop2& figure, int parts);
// Twice the signed area of a plane figure, positive when counter-clockwise.
double TwiceSignedArea(const Loop2& figure);

// Checks that `mesh` triangulates exactly these loops: vertices in loop order, the expected unit
// normal, k - 2 + 2h counter-clockwise non-degenerate triangles using every vertex, each inside
// the face, and together covering `area`.
::testing::AssertionResult IsTriangulationOf(const FaceMesh& mesh, const Loop& outer,
                                             const std::vector<Loop>& holes, Vec3 normal,
                                             double area);

}  // namespace skpm::test
