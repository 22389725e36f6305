// Every mesh is checked against the same invariants, over figures with known areas and seeded
// random outlines on three planes, through both triangulation paths and from several threads.
#include "tessellate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

namespace skpm {
namespace {

using Loop = std::vector<Vec3>;
using Loop2 = std::vector<std::pair<double, double>>;

// Maps the figure point (x, y) to o + x u + y v; u and v are orthonormal, so areas and windings
// carry over, and n = u x v is the front normal. Each u is normalize(Z x n), X on the floor, so
// that the default texture projection gives s = o.u + x and t = o.v + y.
struct Plane {
    Vec3 o, u, v, n;
};
const Plane kPlanes[] = {
    {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
    {{-50, 0, 10}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {{12345.5, -6789.25, 321}, {0.6, 0.8, 0}, {-0.48, 0.36, 0.8}, {0.64, -0.48, 0.6}}};

double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Loop Place(const Plane& p, const Loop2& figure) {
    Loop loop;
    for (const auto& [x, y] : figure)
        loop.push_back({p.o.x + x * p.u.x + y * p.v.x, p.o.y + x * p.u.y + y * p.v.y,
                        p.o.z + x * p.u.z + y * p.v.z});
    return loop;
}

// Counter-clockwise, alternating between the two radii; equal radii give a regular polygon.
Loop2 Star(int corners, double outerRadius, double innerRadius) {
    Loop2 figure;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners, r = i % 2 ? innerRadius : outerRadius;
        figure.emplace_back(r * std::cos(a), r * std::sin(a));
    }
    return figure;
}
Loop2 Square(double x0, double y0, double x1, double y1) {  // x1 < x0 gives a clockwise hole
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}
// Each side cut into `parts` collinear pieces.
Loop2 Subdivided(const Loop2& figure, int parts) {
    Loop2 result;
    for (size_t i = 0; i < figure.size(); ++i) {
        const auto [x0, y0] = figure[i];
        const auto [x1, y1] = figure[(i + 1) % figure.size()];
        for (int k = 0; k < parts; ++k)
            result.emplace_back(x0 + (x1 - x0) * k / parts, y0 + (y1 - y0) * k / parts);
    }
    return result;
}
double SignedArea(const Loop2& figure) {
    double twice = 0;
    for (size_t i = 0, j = figure.size() - 1; i < figure.size(); j = i++)
        twice += figure[j].first * figure[i].second - figure[i].first * figure[j].second;
    return twice / 2;
}

struct Figure {
    Loop2 outer;
    std::vector<Loop2> holes;
    double area;
};

// Figures with known areas, then irregular outlines with collinear runs and holes from a fixed
// pseudo-random sequence (such runs once made the zero-area clean-up loop forever).
std::vector<Figure> Figures() {
    const double hexagon = 150 * std::sqrt(3.0), star = 200 * std::sin(std::numbers::pi / 5);
    const Loop2 sq = Square(0, 0, 10, 10), hole = Square(4, 2, 2, 4);
    std::vector<Figure> figures = {
        {{{0, 0}, {4, 0}, {0, 3}}, {}, 6},
        {sq, {}, 100},
        {Star(6, 10, 10), {}, hexagon},
        {{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}, {}, 75},              // L
        {{{0, 0}, {9, 0}, {9, 9}, {6, 9}, {6, 3}, {3, 3}, {3, 9}, {0, 9}}, {}, 63},  // U
        {Star(10, 10, 4), {}, star},
        {sq, {hole}, 96},
        {sq, {hole, Square(8, 6, 6, 9)}, 90},
        {sq, {Square(2, 2, 4, 4)}, 96},  // odd winding: a counter-clockwise hole is a hole too
        {sq, {Square(5.001, 5, 5, 5.001)}, 100 - 1e-6},
        {Subdivided(Star(6, 10, 10), 4), {Subdivided(Square(2, -2, -2, 2), 3)}, hexagon - 16},
    };
    uint32_t state = 12345;
    const auto next = [&state] {  // a linear congruential generator, the same everywhere
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 24);
    };
    for (int n = 0; n < 2500; ++n) {
        Loop2 outer;
        const int corners = 3 + int(next() * 12);
        for (int i = 0; i < corners; ++i) {
            const double a = 2 * std::numbers::pi * i / corners;
            const double r = std::round(4 * (5 + 5 * next())) / 4;
            outer.emplace_back(std::round(4 * r * std::cos(a)) / 4,
                               std::round(4 * r * std::sin(a)) / 4);
        }
        if (SignedArea(outer) <= 0) continue;
        Figure f{Subdivided(outer, 1 + int(next() * 6)), {}, 0};
        if (n % 2) f.holes.push_back(Subdivided(Square(1, -1, -1, 1), 1 + n % 5));
        if (n % 4 == 1) f.holes.push_back(Square(3, -0.5, 2, 0.5));
        f.area = SignedArea(f.outer);
        for (const Loop2& hole : f.holes) f.area += SignedArea(hole);
        figures.push_back(f);
    }
    return figures;
}

using Face = std::pair<Loop, std::vector<Loop>>;  // outer loop, holes
Face Placed(const Plane& p, const Figure& f) {
    Face face{Place(p, f.outer), {}};
    for (const Loop2& hole : f.holes) face.second.push_back(Place(p, hole));
    return face;
}

// Tessellates the figure placed on `p`: the mesh has the loop points in order, the unit front
// normal, k - 2 + 2h counter-clockwise non-degenerate triangles that cover the figure's area, and
// the default STQ follows the plane's axes.
void ExpectTriangulates(const Plane& p, const Figure& f) {
    Loop2 flat = f.outer;
    for (const Loop2& hole : f.holes) flat.insert(flat.end(), hole.begin(), hole.end());
    const Loop points = Place(p, flat);
    const auto [outer, holes] = Placed(p, f);
    FaceMesh mesh;
    std::string reason;
    ASSERT_TRUE(TessellateFace(outer, holes, mesh, reason)) << reason;
    ASSERT_TRUE(std::equal(points.begin(), points.end(), mesh.vertices.begin(), mesh.vertices.end(),
                           [](Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }));
    EXPECT_NEAR(Dot(mesh.normal, p.n), 1, 1e-9);
    EXPECT_NEAR(Dot(mesh.normal, mesh.normal), 1, 1e-9);
    ASSERT_EQ(mesh.triangles.size(), 3 * (flat.size() - 2 + 2 * holes.size()));
    double sum = 0;
    for (size_t t = 0; t < mesh.triangles.size(); t += 3) {
        const uint32_t* i = &mesh.triangles[t];
        ASSERT_LT(std::max({i[0], i[1], i[2]}), flat.size());
        // The area in the figure's own frame, which the placement keeps.
        const double area = SignedArea({flat[i[0]], flat[i[1]], flat[i[2]]});
        ASSERT_GT(area, 1e-12 * f.area) << "triangle " << t / 3 << " is clockwise or flat";
        sum += area;
    }
    EXPECT_NEAR(sum, f.area, 1e-9 * f.area);
    const std::vector<Vec3> stq = PlanarProjectionSTQ(mesh, 2, 0.5);
    ASSERT_EQ(stq.size(), flat.size());
    for (size_t k = 0; k < flat.size(); ++k) {
        ASSERT_NEAR(stq[k].x, 2 * (Dot(p.o, p.u) + flat[k].first), 1e-8) << "s of vertex " << k;
        ASSERT_NEAR(stq[k].y, 0.5 * (Dot(p.o, p.v) + flat[k].second), 1e-8) << "t of vertex " << k;
        ASSERT_EQ(stq[k].z, 1);
    }
}

TEST(Tessellate, FiguresOnThreePlanesByBothPaths) {
    const std::vector<Figure> figures = Figures();
    for (size_t n = 0; n < figures.size() && !HasFailure(); ++n) {
        for (const Plane& plane : kPlanes) {
            SCOPED_TRACE(::testing::Message() << "figure " << n << ", plane " << &plane - kPlanes);
            const Figure& f = figures[n];
            ExpectTriangulates(plane, f);
            // Midpoints on the sides send convex faces from the fan shortcut to GLU.
            if (f.holes.empty()) ExpectTriangulates(plane, {Subdivided(f.outer, 2), {}, f.area});
        }
    }
}

TEST(Tessellate, ConcurrentCallsMatchSerialResults) {
    std::vector<Face> faces;
    for (const Figure& f : Figures()) faces.push_back(Placed(kPlanes[2], f));
    const auto run = [&faces](std::vector<FaceMesh>& meshes) {
        std::string reason;
        for (size_t i = 0; i < faces.size(); ++i)
            EXPECT_TRUE(TessellateFace(faces[i].first, faces[i].second, meshes[i], reason))
                << reason;
    };
    std::vector<std::vector<FaceMesh>> meshes(5, std::vector<FaceMesh>(faces.size()));
    run(meshes[0]);
    {
        std::vector<std::jthread> threads;
        for (size_t t = 1; t < meshes.size(); ++t) threads.emplace_back([&, t] { run(meshes[t]); });
    }
    for (size_t t = 1; t < meshes.size(); ++t)
        for (size_t i = 0; i < faces.size(); ++i)
            ASSERT_EQ(meshes[t][i].triangles, meshes[0][i].triangles)
                << "thread " << t << " face " << i;
}

TEST(Tessellate, RefusesBrokenFacesWithAReason) {
    const Loop sq = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    const Loop hole = {{2, 2, 0}, {2, 4, 0}, {4, 4, 0}, {4, 2, 0}};
    Loop pentagram;  // turns left at every corner: only its winding shows that it crosses
    for (int i = 0; i < 5; ++i)
        pentagram.push_back(
            {std::cos(0.8 * std::numbers::pi * i), std::sin(0.8 * std::numbers::pi * i), 0});
    const std::tuple<Loop, std::vector<Loop>, std::string> refusals[] = {
        {{{0, 0, 0}, {1, 0, 0}}, {}, "outer loop has fewer than 3 points"},
        {sq, {hole, {{6, 6, 0}, {7, 7, 0}}}, "hole 2 has fewer than 3 points"},
        {{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {10, 0, 0}}, {}, "outer loop repeats a point"},
        {{{0, 0, 0}, {5, 5, 5}, {10, 10, 10}}, {}, "outer loop has zero area"},
        {{{0, 0, 0}, {10, 0, 0}, {10, NAN, 0}}, {}, "not a finite number"},
        // The Newell normal leans towards the lifted corner: its neighbours end up 0.015 off.
        {{{0, 0, 0}, {10, 0, 0}, {10, 10, 0.03}, {0, 10, 0}}, {}, "off the face's plane"},
        // Holes do not tilt the normal; points may stray a thousandth of the largest side.
        {sq, {{{2, 2, 0}, {2, 4, 0}, {4, 4, -0.0101}, {4, 2, 0}}}, "point 3 of hole 1"},
        {{{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 6, 0}}, {}, "cross"},
        {pentagram, {}, "cross"},
        {sq, {{{8, 2, 0}, {8, 4, 0}, {12, 4, 0}, {12, 2, 0}}}, "cross"},
        {sq, {hole, {{3, 3, 0}, {3, 5, 0}, {5, 5, 0}, {5, 3, 0}}}, "cross"},
        {sq, {{{12, 2, 0}, {12, 4, 0}, {14, 4, 0}, {14, 2, 0}}}, "outside"},
        {sq, {{{1, 1, 0}, {1, 9, 0}, {9, 9, 0}, {9, 1, 0}}, hole}, "outside"},
    };
    for (const auto& [outer, holes, why] : refusals) {
        FaceMesh mesh{{{1, 2, 3}}, {0, 0, 1}, {}};
        std::string reason;
        EXPECT_FALSE(TessellateFace(outer, holes, mesh, reason)) << why;
        EXPECT_NE(reason.find(why), std::string::npos) << reason;
        EXPECT_EQ(mesh.vertices.size(), 1u) << why << ": a refused face leaves the output alone";
    }
    FaceMesh mesh;
    std::string reason;
    const Loop almostFlat = {{2, 2, 0}, {2, 4, 0}, {4, 4, 0.0099}, {4, 2, 0}};
    EXPECT_TRUE(TessellateFace(sq, {almostFlat}, mesh, reason)) << reason;
}

}  // namespace
}  // namespace skpm
