#include "test_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skpm::test {
namespace {

Vec3 Sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Even-odd point-in-region test in the face's own 2D frame.
bool InsideRegion(double px, double py, const std::vector<Loop2>& loops) {
    bool inside = false;
    for (const Loop2& loop : loops) {
        for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
            const auto [xi, yi] = loop[i];
            const auto [xj, yj] = loop[j];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                inside = !inside;
        }
    }
    return inside;
}

}  // namespace

std::vector<Placement> Placements() {
    return {{"XYPlane", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
            {"SouthWall", {-50, 0, 10}, {1, 0, 0}, {0, 0, 1}},
            {"TiltedFarOut", {12345.5, -6789.25, 321}, {0.6, 0.8, 0}, {-0.48, 0.36, 0.8}}};
}

Vec3 FrontNormal(const Placement& placement) {
    return Cross(placement.u, placement.v);
}

Loop Place(const Placement& p, const Loop2& figure) {
    Loop loop;
    for (const auto& [x, y] : figure)
        loop.push_back({p.origin.x + x * p.u.x + y * p.v.x, p.origin.y + x * p.u.y + y * p.v.y,
                        p.origin.z + x * p.u.z + y * p.v.z});
    return loop;
}

Loop2 StarFigure(int corners, double outerRadius, double innerRadius) {
    Loop2 figure;
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * std::numbers::pi * i / corners;
        const double r = i % 2 == 0 ? outerRadius : innerRadius;
        figure.emplace_back(r * std::cos(angle), r * std::sin(angle));
    }
    return figure;
}

Loop2 Reversed(Loop2 figure) {
    std::reverse(figure.begin(), figure.end());
    return figure;
}

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

double TwiceSignedArea(const Loop2& figure) {
    double sum = 0;
    for (size_t i = 0; i < figure.size(); ++i) {
        const auto [x0, y0] = figure[i];
        const auto [x1, y1] = figure[(i + 1) % figure.size()];
        sum += x0 * y1 - x1 * y0;
    }
    return sum;
}

::testing::AssertionResult IsTriangulationOf(const FaceMesh& mesh, const Loop& outer,
                                             const std::vector<Loop>& holes, Vec3 normal,
                                             double area) {
    Loop expected = outer;
    for (const Loop& hole : holes) expected.insert(expected.end(), hole.begin(), hole.end());
    const size_t k = expected.size();
    for (size_t i = 0; i < k; ++i) {
        const Vec3 a = i < mesh.vertices.size() ? mesh.vertices[i] : Vec3{NAN, NAN, NAN};
        if (a.x != expected[i].x || a.y != expected[i].y || a.z != expected[i].z)
            return ::testing::AssertionFailure() << "vertex " << i << " is not the loop point";
    }
    if (mesh.vertices.size() != k)
        return ::testing::AssertionFailure() << mesh.vertices.size() << " vertices, not " << k;
    if (std::fabs(Dot(mesh.normal, normal) - 1) > 1e-9 ||
        std::fabs(Dot(mesh.normal, mesh.normal) - 1) > 1e-9)
        return ::testing::AssertionFailure() << "normal is not the expected unit normal";
    const size_t triangles = k - 2 + 2 * holes.size();
    if (mesh.triangles.size() != 3 * triangles)
        return ::testing::AssertionFailure()
               << mesh.triangles.size() / 3 << " triangles, not " << triangles;

    // The face's own 2D frame, for the inside test.
    const Vec3 origin = outer[0];
    const Vec3 e = Sub(outer[1], outer[0]);
    const double el = std::sqrt(Dot(e, e));
    const Vec3 ax{e.x / el, e.y / el, e.z / el};
    const Vec3 ay = Cross(normal, ax);
    const auto flat = [&](Vec3 p) {
        return std::pair{Dot(Sub(p, origin), ax), Dot(Sub(p, origin), ay)};
    };
    std::vector<Loop2> loops2(1 + holes.size());
    for (size_t l = 0; l < loops2.size(); ++l)
        for (const Vec3& p : l == 0 ? outer : holes[l - 1]) loops2[l].push_back(flat(p));

    std::vector<bool> used(k, false);
    double sum = 0;
    for (size_t t = 0; t < mesh.triangles.size(); t += 3) {
        const uint32_t i = mesh.triangles[t], j = mesh.triangles[t + 1], l = mesh.triangles[t + 2];
        if (i >= k || j >= k || l >= k)
            return ::testing::AssertionFailure() << "triangle " << t / 3 << " indexes past the end";
        used[i] = used[j] = used[l] = true;
        const Vec3 a = expected[i], b = expected[j], c = expected[l];
        const double twice = Dot(Cross(Sub(b, a), Sub(c, a)), normal);
        if (twice <= 1e-12 * area)
            return ::testing::AssertionFailure()
                   << "triangle " << t / 3 << " is clockwise or degenerate (" << twice << ")";
        sum += twice / 2;
        const Vec3 centroid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
        const auto [cx, cy] = flat(centroid);
        if (!InsideRegion(cx, cy, loops2))
            return ::testing::AssertionFailure()
                   << "triangle " << t / 3 << " lies outside the face";
    }
    if (std::find(used.begin(), used.end(), false) != used.end())
        return ::testing::AssertionFailure() << "a loop vertex is in no triangle";
    if (std::fabs(sum - area) > 1e-9 * area)
        return ::testing::AssertionFailure() << "triangles cover " << sum << ", not " << area;
    return ::testing::AssertionSuccess();
}

}  // namespace skpm::test
