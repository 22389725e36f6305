// Triangulation of planar faces with holes, and the default texture projection of a face.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skpm {

struct Vec3 {
    double x, y, z;
};

struct FaceMesh {
    // Exactly the loop vertices: the outer loop first, then each hole in order.
    std::vector<Vec3> vertices;
    // Unit Newell normal of the outer loop.
    Vec3 normal;
    // Three indices per triangle into `vertices`, counter-clockwise seen from the front
    // (that is, around `normal`).
    std::vector<uint32_t> triangles;
};

// Validates and triangulates one planar face: `outer` counter-clockwise seen from the front,
// `holes` clockwise (either winding is accepted for holes). Refuses, with a short human `reason`,
// a loop with fewer than 3 points, a loop that repeats a point, a loop of zero area, a point
// further from the plane (through the outer loop's first point, with its Newell normal) than 0.1%
// of the outer loop's largest bounding-box side, and loops that cross each other. On success the
// mesh has k - 2 + 2h triangles (k loop vertices in all, h holes) over exactly the loop vertices.
// Safe to call from several threads at once.
bool TessellateFace(const std::vector<Vec3>& outer, const std::vector<std::vector<Vec3>>& holes,
                    FaceMesh& out, std::string& reason);

// Default STQ of a face whose document gives none: one triple per mesh vertex with q = 1,
// s = (p . a) * sScale, t = (p . b) * tScale, where n is the mesh normal, a = normalize(Z x n)
// (the X axis when |n.z| > 0.999) and b = n x a.
std::vector<Vec3> PlanarProjectionSTQ(const FaceMesh& mesh, double sScale, double tScale);

}  // namespace skpm
