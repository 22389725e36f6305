#include <Importing/Geometry.h>

#include <cmath>

#include "SkpReader.h"

namespace Importing {

namespace {

using DirectX::XMMATRIX;

// The cofactor matrix of the upper-left 3x3 part: the inverse transpose up to the factor 1/det,
// so it still turns normals the right way when the placement squashes an axis to nothing.
XMMATRIX CofactorMatrix(const XMMATRIX& t) {
    const auto& m = t.m;
    XMMATRIX c = DirectX::XMMatrixIdentity();
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 3; ++k) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c.m[r][k] = m[r1][k1] * m[r2][k2] - m[r1][k2] * m[r2][k1];
        }
    }
    return c;
}

bool IsFinite(const XMMATRIX& matrix) {
    for (const auto& row : matrix.m) {
        for (float value : row) {
            if (!std::isfinite(value)) return false;
        }
    }
    return true;
}

// Turns normals as the placement turns surfaces: the inverse transpose of the placement without
// its translation.
XMMATRIX NormalMatrix(const XMMATRIX& transform) {
    XMMATRIX linear = transform;
    linear.m[3][0] = linear.m[3][1] = linear.m[3][2] = 0.0f;
    linear.m[3][3] = 1.0f;
    const XMMATRIX normal = DirectX::XMMatrixTranspose(DirectX::XMMatrixInverse(nullptr, linear));
    return IsFinite(normal) ? normal : CofactorMatrix(linear);
}

// (x, y, z, 1) times m, first three components.
inline void TransformPoint(const float* p, const XMMATRIX& m, float out[3]) {
    for (int j = 0; j < 3; ++j) {
        out[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
    }
}

}  // namespace

void SkpReader::AddFaceToGeometry(Geometry* geometry, SkpLeafNode* leaf, int vertexOffset,
                                  int indexOffset, float sScale, float tScale) {
    const SkpFaceInfo& face = *leaf->faceInfo;
    if (face.numVertices == 0) return;
    const XMMATRIX normalMatrix = NormalMatrix(leaf->transform);

    // Triangles keep their stored winding only when exactly one of side and mirroring flips it.
    uint32_t* indices = geometry->indices.data() + indexOffset;
    const uint32_t* stored = face.indices.data();
    const int indexCount = face.numIndices;
    if (leaf->backSide == leaf->mirrored) {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[indexCount - 1 - k] + vertexOffset;
    } else {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[k] + vertexOffset;
    }

    const float normalSign = leaf->backSide ? -1.0f : 1.0f;
    const float* uvs = leaf->backSide ? face.backUVs.data() : face.frontUVs.data();
    Vertex* vertices = geometry->vertices.data() + vertexOffset;
    for (int i = 0; i < face.numVertices; ++i) {
        float position[3], normal[3];
        TransformPoint(&face.positions[3 * i], leaf->transform, position);
        TransformPoint(&face.normals[3 * i], normalMatrix, normal);
        vertices[i] = Vertex(position[0], position[1], position[2], normalSign * normal[0],
                             normalSign * normal[1], normalSign * normal[2], sScale * uvs[2 * i],
                             1.0f - tScale * uvs[2 * i + 1]);
    }
}

}  // namespace Importing
