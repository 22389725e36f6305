// Prints how long TessellateFace takes on many quads (the convex shortcut) and on faces with a
// hole (GLU). Not a test: timings depend on the machine.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tessellate.h"

namespace {

using skpm::Vec3;

template <typename Body>
double Seconds(Body body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    constexpr int kQuads = 100000, kHoled = 10000;
    std::vector<std::vector<Vec3>> quads;
    for (int i = 0; i < kQuads; ++i) {
        const double x = i % 1000, y = i / 1000;
        quads.push_back({{x, y, 0.5 * x},
                         {x + 1, y, 0.5 * x + 0.5},
                         {x + 1, y + 1, 0.5 * x + 0.5},
                         {x, y + 1, 0.5 * x}});
    }
    std::vector<std::pair<std::vector<Vec3>, std::vector<Vec3>>> holed;
    for (int i = 0; i < kHoled; ++i) {
        const double x = 10.0 * i;
        holed.push_back({{{x, 0, 0}, {x + 8, 0, 0}, {x + 8, 0, 6}, {x, 0, 6}},
                         {{x + 2, 0, 2}, {x + 2, 0, 4}, {x + 4, 0, 4}, {x + 4, 0, 2}}});
    }

    skpm::FaceMesh mesh;
    std::string reason;
    size_t failures = 0, triangles = 0;
    const double quadSeconds = Seconds([&] {
        for (const auto& quad : quads) {
            failures += !skpm::TessellateFace(quad, {}, mesh, reason);
            triangles += mesh.triangles.size() / 3;
        }
    });
    const double holeSeconds = Seconds([&] {
        for (const auto& [outer, hole] : holed) {
            failures += !skpm::TessellateFace(outer, {hole}, mesh, reason);
            triangles += mesh.triangles.size() / 3;
        }
    });
    std::printf("%d quads: %.3f s (%.2f us each)\n", kQuads, quadSeconds,
                1e6 * quadSeconds / kQuads);
    std::printf("%d faces with a hole: %.3f s (%.2f us each)\n", kHoled, holeSeconds,
                1e6 * holeSeconds / kHoled);
    std::printf("%zu triangles, %zu refused\n", triangles, failures);
    return failures == 0 ? 0 : 1;
}
