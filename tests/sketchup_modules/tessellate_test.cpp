#include "tessellate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <thread>

#include "test_shapes.h"

namespace skpm::test {
namespace {

struct Figure {
    std::string name;
    Loop2 outer;
    std::vector<Loop2> holes;
    double area;
};

Loop2 Rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

std::vector<Figure> Figures() {
    const double r = 10, inner = 4;
    const Loop2 hole = Reversed(Rectangle(2, 2, 4, 4));
    const Loop2 lShape = {{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}};
    return {
        {"Triangle", {{0, 0}, {4, 0}, {0, 3}}, {}, 6},
        {"Square", Rectangle(0, 0, 10, 10), {}, 100},
        {"Hexagon", StarFigure(6, r, r), {}, 1.5 * std::sqrt(3.0) * r * r},
        {"LShape", lShape, {}, 75},
        {"UShape", {{0, 0}, {9, 0}, {9, 9}, {6, 9}, {6, 3}, {3, 3}, {3, 9}, {0, 9}}, {}, 63},
        {"Star", StarFigure(10, r, inner), {}, 5 * r * inner * std::sin(std::numbers::pi / 5)},
        // Collinear points: one next to the first corner, where a fan from it would degenerate.
        {"SquareWithCollinearPoints",
         {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}},
         {},
         100},
        {"OneHole", Rectangle(0, 0, 10, 10), {hole}, 96},
        {"TwoHoles", Rectangle(0, 0, 10, 10), {hole, Reversed(Rectangle(6, 6, 8, 9))}, 90},
        {"HoleGivenCounterClockwise", Rectangle(0, 0, 10, 10), {Rectangle(2, 2, 4, 4)}, 96},
        {"LShapeWithHole", lShape, {Reversed(Rectangle(1, 1, 3, 3))}, 71},
        // Runs of collinear points, on which GLU leaves zero-area triangles.
        {"SubdividedHexagonAndHole",
         Subdivided(StarFigure(6, r, r), 4),
         {Subdivided(Reversed(Rectangle(-2, -2, 2, 2)), 3)},
         1.5 * std::sqrt(3.0) * r * r - 16},
        {"StarWithHexagonHole",
         StarFigure(10, r, inner),
         {Reversed(StarFigure(6, 1, 1))},
         5 * r * inner * std::sin(std::numbers::pi / 5) - 1.5 * std::sqrt(3.0)},
    };
}

class Tessellate : public ::testing::TestWithParam<std::tuple<Figure, Placement>> {};

TEST_P(Tessellate, TriangulatesExactlyTheLoops) {
    const auto& [figure, placement] = GetParam();
    const Loop outer = Place(placement, figure.outer);
    std::vector<Loop> holes;
    for (const Loop2& hole : figure.holes) holes.push_back(Place(placement, hole));
    FaceMesh mesh;
    std::string reason;
    ASSERT_TRUE(TessellateFace(outer, holes, mesh, reason)) << reason;
    EXPECT_TRUE(IsTriangulationOf(mesh, outer, holes, FrontNormal(placement), figure.area));
}

INSTANTIATE_TEST_SUITE_P(FiguresOnPlanes, Tessellate,
                         ::testing::Combine(::testing::ValuesIn(Figures()),
                                            ::testing::ValuesIn(Placements())),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + "On" +
                                    std::get<1>(info.param).name;
                         });

TEST(TessellateNormal, FollowsTheOuterLoopWinding) {
    const Loop ccw = {{0, 0, 5}, {3, 0, 5}, {3, 2, 5}, {0, 2, 5}};
    const Loop cw(ccw.rbegin(), ccw.rend());
    FaceMesh up, down;
    std::string reason;
    ASSERT_TRUE(TessellateFace(ccw, {}, up, reason)) << reason;
    ASSERT_TRUE(TessellateFace(cw, {}, down, reason)) << reason;
    EXPECT_DOUBLE_EQ(up.normal.z, 1);
    EXPECT_DOUBLE_EQ(down.normal.z, -1);
    EXPECT_TRUE(IsTriangulationOf(down, cw, {}, {0, 0, -1}, 6));
}

// Convex faces without holes take a shortcut around GLU; these cases sit at its border.
TEST(TessellatePaths, ConvexShortcutAndGluAgree) {
    FaceMesh quad, withMidpoint, withHole;
    std::string reason;
    const Loop square = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    const Loop midpoint = {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {10, 10, 0}, {0, 10, 0}};
    const Loop tiny = {{5, 5, 0}, {5, 5.001, 0}, {5.001, 5.001, 0}, {5.001, 5, 0}};
    ASSERT_TRUE(TessellateFace(square, {}, quad, reason)) << reason;
    ASSERT_TRUE(TessellateFace(midpoint, {}, withMidpoint, reason)) << reason;
    ASSERT_TRUE(TessellateFace(square, {tiny}, withHole, reason)) << reason;
    EXPECT_TRUE(IsTriangulationOf(quad, square, {}, {0, 0, 1}, 100));
    EXPECT_TRUE(IsTriangulationOf(withMidpoint, midpoint, {}, {0, 0, 1}, 100));
    EXPECT_TRUE(IsTriangulationOf(withHole, square, {tiny}, {0, 0, 1}, 100 - 1e-6));
}

TEST(TessellatePaths, LoopsThatTurnLeftEverywhereButCrossAreRefused) {
    Loop pentagram;
    for (int i = 0; i < 5; ++i) {
        const double angle = 2 * std::numbers::pi * (2 * i % 5) / 5;
        pentagram.push_back({std::cos(angle), std::sin(angle), 0});
    }
    FaceMesh mesh;
    std::string reason;
    EXPECT_FALSE(TessellateFace(pentagram, {}, mesh, reason));
    EXPECT_NE(reason.find("cross"), std::string::npos) << reason;
}

// Irregular outlines with collinear runs of points and holes, from a fixed pseudo-random
// sequence; such runs once made the zero-area clean-up loop forever.
TEST(TessellateIrregular, SubdividedOutlinesWithHoles) {
    uint32_t state = 12345;
    const auto next = [&state] {  // a linear congruential generator, the same everywhere
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 24);
    };
    for (int figure = 0; figure < 2500; ++figure) {
        Loop2 outer;
        const int corners = 3 + int(next() * 12);
        for (int i = 0; i < corners; ++i) {
            const double angle = 2 * std::numbers::pi * i / corners;
            const double radius = std::round(4 * (5 + 5 * next())) / 4;
            outer.emplace_back(std::round(4 * radius * std::cos(angle)) / 4,
                               std::round(4 * radius * std::sin(angle)) / 4);
        }
        if (TwiceSignedArea(outer) <= 0) continue;
        outer = Subdivided(outer, 1 + int(next() * 6));
        std::vector<Loop2> holes;
        if (figure % 2)
            holes.push_back(Subdivided(Reversed(Rectangle(-1, -1, 1, 1)), 1 + figure % 5));
        if (figure % 4 == 1) holes.push_back(Reversed(Rectangle(2, -0.5, 3, 0.5)));
        double area = TwiceSignedArea(outer) / 2;
        for (const Loop2& hole : holes) area += TwiceSignedArea(hole) / 2;
        for (const Placement& placement : Placements()) {
            const Loop placed = Place(placement, outer);
            std::vector<Loop> placedHoles;
            for (const Loop2& hole : holes) placedHoles.push_back(Place(placement, hole));
            FaceMesh mesh;
            std::string reason;
            ASSERT_TRUE(TessellateFace(placed, placedHoles, mesh, reason))
                << "figure " << figure << " on " << placement.name << ": " << reason;
            ASSERT_TRUE(IsTriangulationOf(mesh, placed, placedHoles, FrontNormal(placement), area))
                << "figure " << figure << " on " << placement.name;
        }
    }
}

struct Refusal {
    std::string name;
    Loop outer;
    std::vector<Loop> holes;
    std::string reason;  // a part of the expected reason
};

std::vector<Refusal> Refusals() {
    const Loop square = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    const Loop hole = {{2, 2, 0}, {2, 4, 0}, {4, 4, 0}, {4, 2, 0}};
    return {
        {"TwoPointOuter", {{0, 0, 0}, {1, 0, 0}}, {}, "outer loop has fewer than 3 points"},
        {"TwoPointHole", square, {hole, {{6, 6, 0}, {7, 7, 0}}}, "hole 2 has fewer than 3"},
        {"OuterRepeatsPoint", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {10, 0, 0}}, {}, "repeats"},
        {"HoleRepeatsPoint",
         square,
         {hole, {{6, 6, 0}, {6, 8, 0}, {6, 6, 0}, {8, 6, 0}}},
         "hole 2 repeats a point"},
        {"CollinearOuter", {{0, 0, 0}, {5, 5, 5}, {10, 10, 10}}, {}, "outer loop has zero area"},
        {"CollinearHole", square, {{{2, 2, 0}, {3, 3, 0}, {4, 4, 0}}}, "hole 1 has zero area"},
        // The Newell normal leans towards a lifted corner: the next corner ends up h / 2 off.
        {"OuterPointOffPlane",
         {{0, 0, 0}, {10, 0, 0}, {10, 10, 0.03}, {0, 10, 0}},
         {},
         "off the face's plane"},
        {"HolePointOffPlane",
         square,
         {{{2, 2, 0}, {2, 4, 0}, {4, 4, -0.011}, {4, 2, 0}}},
         "point 3 of hole 1"},
        {"NotANumber", {{0, 0, 0}, {10, 0, 0}, {10, NAN, 0}}, {}, "not a finite number"},
        {"BowTie", {{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 6, 0}}, {}, "cross"},
        {"HoleCrossesOutline", square, {{{8, 2, 0}, {8, 4, 0}, {12, 4, 0}, {12, 2, 0}}}, "cross"},
        {"HolesOverlap", square, {hole, {{3, 3, 0}, {3, 5, 0}, {5, 5, 0}, {5, 3, 0}}}, "cross"},
        {"HoleOutsideOuter", square, {{{12, 2, 0}, {12, 4, 0}, {14, 4, 0}, {14, 2, 0}}}, "outside"},
        {"HoleInsideHole", square, {{{1, 1, 0}, {1, 9, 0}, {9, 9, 0}, {9, 1, 0}}, hole}, "outside"},
    };
}

class TessellateRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(TessellateRefuses, WithAReason) {
    const Refusal& refusal = GetParam();
    FaceMesh mesh;
    mesh.vertices = {{1, 2, 3}};
    std::string reason;
    EXPECT_FALSE(TessellateFace(refusal.outer, refusal.holes, mesh, reason));
    EXPECT_NE(reason.find(refusal.reason), std::string::npos) << reason;
    EXPECT_EQ(mesh.vertices.size(), 1u) << "a refused face leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(Faults, TessellateRefuses, ::testing::ValuesIn(Refusals()),
                         [](const auto& info) { return info.param.name; });

TEST(TessellatePlanarity, ToleranceIsAThousandthOfTheLargestSide) {
    // Largest side 10, so points may stray 0.01 off the plane. Holes do not tilt the normal.
    const Loop outer = {{0, 0, 0}, {10, 0, 0}, {10, 4, 0}, {0, 4, 0}};
    FaceMesh mesh;
    std::string reason;
    const Loop slightlyOff = {{1, 1, 0}, {1, 2, 0.0099}, {2, 2, 0}, {2, 1, 0}};
    EXPECT_TRUE(TessellateFace(outer, {slightlyOff}, mesh, reason)) << reason;
    const Loop tooFar = {{1, 1, 0}, {1, 2, -0.0101}, {2, 2, 0}, {2, 1, 0}};
    EXPECT_FALSE(TessellateFace(outer, {tooFar}, mesh, reason));
    EXPECT_NE(reason.find("point 2 of hole 1"), std::string::npos) << reason;
}

// Every thread must get the same answers as one thread alone.
TEST(TessellateThreads, ConcurrentCallsMatchSerialResults) {
    std::vector<std::pair<Loop, std::vector<Loop>>> faces;
    for (int i = 0; i < 400; ++i) {
        const Placement p{"", {double(i), 0, 0}, {0.6, 0.8, 0}, {-0.48, 0.36, 0.8}};
        faces.push_back({Place(p, StarFigure(10 + 2 * (i % 5), 10, 4)),
                         {Place(p, Reversed(StarFigure(6, 1 + 0.005 * (i % 100), 1)))}});
    }
    std::vector<FaceMesh> serial(faces.size());
    std::string reason;
    for (size_t i = 0; i < faces.size(); ++i)
        ASSERT_TRUE(TessellateFace(faces[i].first, faces[i].second, serial[i], reason)) << reason;

    constexpr int kThreads = 4;
    std::vector<std::vector<FaceMesh>> results(kThreads, std::vector<FaceMesh>(faces.size()));
    std::vector<int> failures(kThreads, 0);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                std::string why;
                for (int round = 0; round < 5; ++round)
                    for (size_t i = 0; i < faces.size(); ++i)
                        if (!TessellateFace(faces[i].first, faces[i].second, results[t][i], why))
                            ++failures[t];
            });
        }
    }
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], 0);
        for (size_t i = 0; i < faces.size(); ++i)
            ASSERT_EQ(results[t][i].triangles, serial[i].triangles)
                << "thread " << t << " face " << i;
    }
}

}  // namespace
}  // namespace skpm::test
