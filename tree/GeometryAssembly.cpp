#include <Importing/Geometry.h>

#include "SkpReader.h"

namespace Importing {

namespace {

using DirectX::XMMATRIX;

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
    const SkpPlacement& placement = *leaf->placement;

    // Triangles keep their stored winding only when exactly one of side and mirroring flips it.
    uint32_t* indices = geometry->indices.data() + indexOffset;
    const uint32_t* stored = face.indices.data();
    const int indexCount = face.numIndices;
    if (leaf->backSide == placement.mirrored) {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[indexCount - 1 - k] + vertexOffset;
    } else {
        for (int k = 0; k < indexCount; ++k) indices[k] = stored[k] + vertexOffset;
    }

    const float normalSign = leaf->backSide ? -1.0f : 1.0f;
    const float* uvs = leaf->backSide ? face.backUVs.data() : face.frontUVs.data();
    Vertex* vertices = geometry->vertices.data() + vertexOffset;
    for (int i = 0; i < face.numVertices; ++i) {
        float position[3], normal[3];
        TransformPoint(&face.positions[3 * i], placement.transform, position);
        TransformPoint(&face.normals[3 * i], placement.normalMatrix, normal);
        vertices[i] = Vertex(position[0], position[1], position[2], normalSign * normal[0],
                             normalSign * normal[1], normalSign * normal[2], sScale * uvs[2 * i],
                             1.0f - tScale * uvs[2 * i + 1]);
    }
}

}  // namespace Importing
