#include "tessellate.h"

#if defined(_WIN32)
#include <windows.h>  // Windows' GL headers build on it
#endif
#include <GL/glu.h>

// Mesa names the callbacks' calling convention GLAPIENTRY, Windows' glu32 CALLBACK.
#if !defined(GLAPIENTRY)
#define GLAPIENTRY CALLBACK
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <numbers>

namespace skpm {
namespace {

// A point may lie this far off the face's plane, relative to the outer loop's largest extent.
constexpr double kPlaneTolerance = 1e-3;
// A loop whose area is below this fraction of its extent squared is degenerate (collinear).
constexpr double kZeroArea = 1e-12;
// A corner whose turn has a sine below this is not strictly convex (collinear neighbours).
constexpr double kStrictTurn = 1e-9;
// A triangle lower than this fraction of the face's extent, plus this fraction of the largest
// coordinate (rounding), has zero area.
constexpr double kFlatTriangle = 1e-9;
constexpr double kCoordinateNoise = 1e-13;

Vec3 Sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
bool operator==(Vec3 a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

std::string LoopName(size_t loop) {
    return loop == 0 ? std::string("outer loop") : "hole " + std::to_string(loop);
}

// Twice the loop's area along its normal. Taken relative to the first point, so that loops far
// from the origin keep their precision.
Vec3 NewellVector(const std::vector<Vec3>& loop) {
    Vec3 n{0, 0, 0};
    const Vec3 origin = loop[0];
    for (size_t i = 0; i < loop.size(); ++i) {
        const Vec3 p = Sub(loop[i], origin);
        const Vec3 q = Sub(loop[(i + 1) % loop.size()], origin);
        n.x += (p.y - q.y) * (p.z + q.z);
        n.y += (p.z - q.z) * (p.x + q.x);
        n.z += (p.x - q.x) * (p.y + q.y);
    }
    return n;
}

double LargestExtent(const std::vector<Vec3>& loop) {
    Vec3 lo = loop[0], hi = loop[0];
    for (const Vec3& p : loop) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    return std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
}

bool RepeatsPoint(const std::vector<Vec3>& loop) {
    const auto less = [](Vec3 a, Vec3 b) {
        return a.x != b.x ? a.x < b.x : a.y != b.y ? a.y < b.y : a.z < b.z;
    };
    if (loop.size() <= 16) {  // the common case: a few points, no allocation
        for (size_t i = 0; i < loop.size(); ++i)
            for (size_t j = i + 1; j < loop.size(); ++j)
                if (loop[i] == loop[j]) return true;
        return false;
    }
    std::vector<Vec3> sorted = loop;
    std::sort(sorted.begin(), sorted.end(), less);
    return std::adjacent_find(sorted.begin(), sorted.end(),
                              [](Vec3 a, Vec3 b) { return a == b; }) != sorted.end();
}

// Checks every loop on its own, then the planarity of all points; sets the unit outer normal.
bool Validate(const std::vector<const std::vector<Vec3>*>& loops, Vec3& normal,
              std::string& reason) {
    for (size_t l = 0; l < loops.size(); ++l) {
        const std::vector<Vec3>& loop = *loops[l];
        if (loop.size() < 3) {
            reason = LoopName(l) + " has fewer than 3 points";
            return false;
        }
        for (const Vec3& p : loop) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                reason = LoopName(l) + " has a coordinate that is not a finite number";
                return false;
            }
        }
        if (RepeatsPoint(loop)) {
            reason = LoopName(l) + " repeats a point";
            return false;
        }
        const Vec3 n = NewellVector(loop);
        const double extent = LargestExtent(loop);
        if (std::sqrt(Dot(n, n)) <= kZeroArea * extent * extent) {
            reason = LoopName(l) + " has zero area";
            return false;
        }
        if (l == 0) {
            const double length = std::sqrt(Dot(n, n));
            normal = {n.x / length, n.y / length, n.z / length};
        }
    }
    const Vec3 origin = loops[0]->front();
    const double tolerance = kPlaneTolerance * LargestExtent(*loops[0]);
    for (size_t l = 0; l < loops.size(); ++l) {
        for (size_t i = 0; i < loops[l]->size(); ++i) {
            const double distance = std::fabs(Dot(Sub((*loops[l])[i], origin), normal));
            if (distance > tolerance) {
                char text[128];
                std::snprintf(text, sizeof text, "point %zu of %s lies %g off the face's plane",
                              i + 1, LoopName(l).c_str(), distance);
                reason = text;
                return false;
            }
        }
    }
    return true;
}

// Every turn strictly to the left around `normal`, and the boundary winds around once (a
// pentagram turns left everywhere but winds twice; with four corners or fewer it cannot).
bool IsStrictlyConvex(const std::vector<Vec3>& loop, Vec3 normal) {
    const size_t k = loop.size();
    double turning = 0;
    for (size_t i = 0; i < k; ++i) {
        const Vec3 e1 = Sub(loop[(i + 1) % k], loop[i]);
        const Vec3 e2 = Sub(loop[(i + 2) % k], loop[(i + 1) % k]);
        const double sine = Dot(Cross(e1, e2), normal);
        if (sine <= 0 || sine * sine <= kStrictTurn * kStrictTurn * Dot(e1, e1) * Dot(e2, e2))
            return false;
        if (k > 4) turning += std::atan2(sine, Dot(e1, e2));
    }
    return k <= 4 || turning < 3 * std::numbers::pi;
}

void FanTriangulate(size_t k, std::vector<uint32_t>& triangles) {
    triangles.clear();
    triangles.reserve(3 * (k - 2));
    for (uint32_t i = 1; i + 1 < k; ++i) triangles.insert(triangles.end(), {0, i, i + 1});
}

// What the GLU callbacks collect for one polygon.
struct GluOutput {
    std::vector<uint32_t> triangles;
    bool combined = false;  // loops cross or touch: GLU wanted a new vertex
    bool failed = false;    // GLU reported an error or drew something other than triangles
};

// Vertex data carries index + 1, since GLU treats a null data pointer as "no vertex".
void* IndexData(size_t index) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(index + 1));
}

void GLAPIENTRY OnBegin(GLenum type, void* output) {
    if (type != GL_TRIANGLES) static_cast<GluOutput*>(output)->failed = true;
}
void GLAPIENTRY OnVertex(void* data, void* output) {
    const auto index = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data) - 1);
    static_cast<GluOutput*>(output)->triangles.push_back(index);
}
// Registering an edge-flag callback makes GLU emit independent triangles, never fans or strips.
void GLAPIENTRY OnEdgeFlag(GLboolean, void*) {}
void GLAPIENTRY OnCombine(GLdouble[3], void* data[4], GLfloat[4], void** out, void* output) {
    static_cast<GluOutput*>(output)->combined = true;
    *out = data[0];  // keeps GLU going; the result is discarded
}
void GLAPIENTRY OnError(GLenum, void* output) {
    static_cast<GluOutput*>(output)->failed = true;
}

using GluCallback = void(GLAPIENTRY*)();
struct TessDeleter {
    void operator()(GLUtesselator* tess) const { gluDeleteTess(tess); }
};
using TessPtr = std::unique_ptr<GLUtesselator, TessDeleter>;

// A tessellator of its own for each face: GLU tessellators share no state, making one is small
// beside the tessellation, and none outlives its face. Not one per thread: a thread-local
// tessellator is deleted as its thread ends, and in a DLL built with MinGW-w64 that deletion ran
// where GLU found the tessellator in no state it knew, and spun there for ever.
TessPtr NewTessellator() {
    TessPtr tess(gluNewTess());
    if (!tess) return tess;
    gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, reinterpret_cast<GluCallback>(&OnBegin));
    gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<GluCallback>(&OnVertex));
    gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA,
                    reinterpret_cast<GluCallback>(&OnEdgeFlag));
    gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<GluCallback>(&OnCombine));
    gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, reinterpret_cast<GluCallback>(&OnError));
    // Odd winding: a hole given counter-clockwise is still a hole.
    gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    return tess;
}

bool GluTriangulate(const std::vector<const std::vector<Vec3>*>& loops, Vec3 normal,
                    size_t expectedTriangles, std::vector<uint32_t>& triangles,
                    std::string& reason) {
    const TessPtr owned = NewTessellator();
    GLUtesselator* tess = owned.get();
    if (!tess) {
        reason = "out of memory for the tessellator";
        return false;
    }
    GluOutput output;
    output.triangles.reserve(3 * expectedTriangles);
    gluTessNormal(tess, normal.x, normal.y, normal.z);
    gluTessBeginPolygon(tess, &output);
    size_t index = 0;
    for (const std::vector<Vec3>* loop : loops) {
        gluTessBeginContour(tess);
        for (const Vec3& p : *loop) {
            GLdouble coords[3] = {p.x, p.y, p.z};  // GLU copies them
            gluTessVertex(tess, coords, IndexData(index++));
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    if (output.combined) {
        reason = "loops cross or touch each other";
        return false;
    }
    if (output.failed) {
        reason = "the tessellator failed on this face";
        return false;
    }
    if (output.triangles.size() != 3 * expectedTriangles) {
        reason = "a hole lies outside the outer loop or overlaps another hole";
        return false;
    }
    triangles = std::move(output.triangles);
    return true;
}

// Twice the triangle's area, positive when it winds counter-clockwise around `normal`, and the
// index (0 to 2) of the corner opposite its longest side.
double TwiceArea(const std::vector<Vec3>& v, const uint32_t* t, Vec3 normal, double& longest2,
                 int& corner) {
    const Vec3 a = v[t[0]], b = v[t[1]], c = v[t[2]];
    const double sides[3] = {Dot(Sub(c, b), Sub(c, b)), Dot(Sub(a, c), Sub(a, c)),
                             Dot(Sub(b, a), Sub(b, a))};
    corner = int(std::max_element(sides, sides + 3) - sides);
    longest2 = sides[corner];
    return Dot(Cross(Sub(b, a), Sub(c, a)), normal);
}

// GLU leaves a zero-area triangle (p, m, q), one lower than `flatHeight`, where a vertex m lies on
// a diagonal p-q. Splitting the neighbour (q, p, d) across that diagonal at m into (p, m, d) and
// (m, q, d) covers the same area without it. Then every triangle is turned counter-clockwise around
// `normal`. False when a zero-area triangle has no neighbour (a vertex on a boundary edge: loops
// touch) or keeps coming back. Costs a pass over the triangles per zero-area one; faces rarely have
// many.
bool OrientTriangles(const std::vector<Vec3>& v, Vec3 normal, double flatHeight,
                     std::vector<uint32_t>& tri) {
    const size_t count = tri.size() / 3;
    for (size_t flips = 0;; ++flips) {
        // Collinear points can form a run of such triangles; the one with the longest side
        // spans the whole run, so its neighbour has area and the split removes it for good.
        size_t sliver = count;
        int corner = 0;
        double widest2 = -1;
        for (size_t t = 0; t < count; ++t) {
            double longest2 = 0;
            int opposite = 0;
            const double area2 = TwiceArea(v, &tri[3 * t], normal, longest2, opposite);
            if (std::fabs(area2) <= flatHeight * std::sqrt(longest2) && longest2 > widest2) {
                sliver = t;
                corner = opposite;
                widest2 = longest2;
            }
        }
        if (sliver == count) break;
        if (flips > 2 * count) return false;
        const uint32_t m = tri[3 * sliver + corner];
        const uint32_t p = tri[3 * sliver + (corner + 1) % 3];
        const uint32_t q = tri[3 * sliver + (corner + 2) % 3];
        size_t neighbour = count;
        for (size_t u = 0; u < count && neighbour == count; ++u) {
            const uint32_t* t = &tri[3 * u];
            const bool hasP = t[0] == p || t[1] == p || t[2] == p;
            const bool hasQ = t[0] == q || t[1] == q || t[2] == q;
            if (u != sliver && hasP && hasQ) neighbour = u;
        }
        if (neighbour == count) return false;
        const uint32_t* n = &tri[3 * neighbour];
        const uint32_t d = n[0] != p && n[0] != q ? n[0] : n[1] != p && n[1] != q ? n[1] : n[2];
        const uint32_t first[3] = {p, m, d}, second[3] = {m, q, d};
        std::copy(first, first + 3, &tri[3 * sliver]);
        std::copy(second, second + 3, &tri[3 * neighbour]);
        for (size_t t : {sliver, neighbour}) {
            double longest2 = 0;
            if (TwiceArea(v, &tri[3 * t], normal, longest2, corner) < 0)
                std::swap(tri[3 * t + 1], tri[3 * t + 2]);
        }
    }
    // GLU orients its output by the normal given to it; checked per triangle all the same.
    for (size_t t = 0; t < count; ++t) {
        double longest2 = 0;
        int corner = 0;
        if (TwiceArea(v, &tri[3 * t], normal, longest2, corner) < 0)
            std::swap(tri[3 * t + 1], tri[3 * t + 2]);
    }
    return true;
}

}  // namespace

bool TessellateFace(const std::vector<Vec3>& outer, const std::vector<std::vector<Vec3>>& holes,
                    FaceMesh& out, std::string& reason) {
    std::vector<const std::vector<Vec3>*> loops;
    loops.reserve(1 + holes.size());
    loops.push_back(&outer);
    size_t vertexCount = outer.size();
    for (const std::vector<Vec3>& hole : holes) {
        loops.push_back(&hole);
        vertexCount += hole.size();
    }
    if (vertexCount > UINT32_MAX / 2) {
        reason = "face has too many points";
        return false;
    }
    Vec3 normal{0, 0, 1};
    if (!Validate(loops, normal, reason)) return false;

    std::vector<Vec3> vertices;
    vertices.reserve(vertexCount);
    for (const std::vector<Vec3>* loop : loops)
        vertices.insert(vertices.end(), loop->begin(), loop->end());

    std::vector<uint32_t> triangles;
    if (holes.empty() && IsStrictlyConvex(outer, normal)) {
        FanTriangulate(outer.size(), triangles);  // counter-clockwise and never degenerate
    } else {
        const size_t expected = vertexCount - 2 + 2 * holes.size();
        if (!GluTriangulate(loops, normal, expected, triangles, reason)) return false;
        double largest = 0;
        for (const Vec3& p : vertices)
            largest = std::max({largest, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        const double flatHeight = kFlatTriangle * LargestExtent(outer) + kCoordinateNoise * largest;
        if (!OrientTriangles(vertices, normal, flatHeight, triangles)) {
            reason = "loops cross or touch each other";
            return false;
        }
    }
    out.vertices = std::move(vertices);
    out.normal = normal;
    out.triangles = std::move(triangles);
    return true;
}

std::vector<Vec3> PlanarProjectionSTQ(const FaceMesh& mesh, double sScale, double tScale) {
    const Vec3 n = mesh.normal;
    Vec3 a{1, 0, 0};
    if (std::fabs(n.z) <= 0.999) {
        const Vec3 za = Cross(Vec3{0, 0, 1}, n);
        const double length = std::sqrt(Dot(za, za));
        a = {za.x / length, za.y / length, za.z / length};
    }
    const Vec3 b = Cross(n, a);
    std::vector<Vec3> stq;
    stq.reserve(mesh.vertices.size());
    for (const Vec3& p : mesh.vertices) stq.push_back({Dot(p, a) * sScale, Dot(p, b) * tScale, 1});
    return stq;
}

}  // namespace skpm
