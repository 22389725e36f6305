#include <Importing/Geometry.h>

#include "SkpReader.h"

namespace Importing {

namespace {

// The parts of a 4x4 row-vector matrix that place a point, held in locals: writing the output
// vertices may not then force the compiler to read the matrix again for every vertex.
struct Affine {
    float m[4][3];

    explicit Affine(const DirectX::XMMATRIX& matrix) {
        DirectX::XMFLOAT4X4 all;
        DirectX::XMStoreFloat4x4(&all, matrix);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) m[r][c] = all.m[r][c];
        }
    }

    // (x, y, z, 1) times the matrix; `translate` false leaves the fourth row out.
    void Apply(const float* p, bool translate, float out[3]) const {
        for (int j = 0; j < 3; ++j) {
            out[j] =
                p[0] * m[0][j] + p[1] * m[1][j] + p[2] * m[2][j] + (translate ? m[3][j] : 0.0f);
        }
    }
};

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

    const Affine place(placement.transform), turn(placement.normalMatrix);
    const float normalSign = backSide ? -1.0f : 1.0f;
    const float* positions = face.positions.data();
    const float* normals = face.normals.data();
    const float* uvs = backSide ? face.backUVs.data() : face.frontUVs.data();
    Vertex* vertices = geometry->vertices.data() + vertexOffset;
    for (int i = 0; i < face.numVertices; ++i) {
        float position[3], normal[3];
        place.Apply(positions + 3 * i, true, position);
        // Turned as a direction: the normal matrix's fourth row (projective terms) is left out.
        turn.Apply(normals + 3 * i, false, normal);
        vertices[i] = Vertex(position[0], position[1], position[2], normalSign * normal[0],
                             normalSign * normal[1], normalSign * normal[2], sScale * uvs[2 * i],
                             1.0f - tScale * uvs[2 * i + 1]);
    }
}

}  // namespace Importing
