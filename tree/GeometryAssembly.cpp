#include <Importing/Geometry.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "SkpReader.h"

namespace Importing {

namespace {

// A 4x4 row-vector matrix as four rows of four floats in locals: a row is one 4-wide register,
// so (x, y, z, w) times the matrix is three multiplications and additions of whole rows, and
// writing the output may not force the compiler to read the matrix again for every vertex.
struct Rows {
    alignas(16) float r[4][4];

    explicit Rows(const DirectX::XMFLOAT4X4& matrix) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) r[i][j] = matrix.m[i][j];
        }
    }

    // (p, 1) times the matrix for a point, (p, 0) for a direction, whose fourth row adds +0.
    void Times(const float* p, bool point, float out[4]) const {
        for (int j = 0; j < 4; ++j) {
            out[j] = p[0] * r[0][j] + p[1] * r[1][j] + p[2] * r[2][j] + (point ? r[3][j] : 0.0f);
        }
    }
};

static_assert(std::is_standard_layout_v<Vertex> && std::is_trivially_copyable_v<Vertex> &&
                  offsetof(Vertex, nx) == offsetof(Vertex, x) + 12 &&
                  offsetof(Vertex, u) == offsetof(Vertex, nx) + 12 && sizeof(Vertex) == 32,
              "a vertex is written as position, normal and texture coordinates, each run of "
              "floats right after the other");

}  // namespace

void SkpReader::AddFaceToGeometry(Geometry* geometry, SkpLeafNode* leaf, int vertexOffset,
                                  int indexOffset, float sScale, float tScale) {
    const SkpFaceInfo& face = *leaf->faceInfo;
    if (face.numVertices == 0) return;
    const SkpPlacement& placement = *leaf->placement();
    const bool backSide = leaf->backSide();

    // Triangles keep their stored winding only when exactly one of side and mirroring flips it.
    uint32_t* indices = geometry->indices.data() + indexOffset;
    const uint32_t* stored = face.indices.data();
    const int indexCount = face.numIndices;
    if (backSide == placement.mirrored) {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[indexCount - 1 - k] + vertexOffset;
    } else {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[k] + vertexOffset;
    }

    const Rows place(placement.transform), turn(placement.normalMatrix);
    const float sign = backSide ? -1.0f : 1.0f;
    const float* positions = face.positions.data();
    const float* normals = face.normals.data();
    const float* uvs = backSide ? face.backUVs.data() : face.frontUVs.data();
    char* vertices = reinterpret_cast<char*>(geometry->vertices.data() + vertexOffset);
    for (int i = 0; i < face.numVertices; ++i) {
        float position[4], normal[4];
        place.Times(positions + 3 * i, true, position);
        // Turned as a direction: the normal matrix's fourth row (projective terms) is left out.
        turn.Times(normals + 3 * i, false, normal);
        for (float& value : normal) value *= sign;
        const float uv[2] = {sScale * uvs[2 * i], 1.0f - tScale * uvs[2 * i + 1]};
        // Position, then normal, then texture coordinates, each write running into the next
        // field: the fourth value of each product is overwritten by what follows.
        char* vertex = vertices + i * sizeof(Vertex);
        std::memcpy(vertex + offsetof(Vertex, x), position, sizeof position);
        std::memcpy(vertex + offsetof(Vertex, nx), normal, sizeof normal);
        std::memcpy(vertex + offsetof(Vertex, u), uv, sizeof uv);
    }
}

}  // namespace Importing
