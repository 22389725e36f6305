#pragma once

#include <DirectXMath.h>

namespace Importing {

struct SkpFaceInfo;

// Where one visit of an entities collection puts its faces. Every face of the visit shares it,
// so the matrices are stored and derived once per visit, not once per placed face.
struct SkpPlacement {
    explicit SkpPlacement(const DirectX::XMMATRIX& placement);

    DirectX::XMMATRIX transform;     // accumulated placement, row-vector convention
    DirectX::XMMATRIX normalMatrix;  // turns normals as `transform` turns surfaces
    bool mirrored = false;           // the placement reverses orientation
};

// One placed side of one face. Made in their millions by the walk's tasks at once, so they are
// small values kept in blocks, never allocated one by one.
struct SkpLeafNode {
    SkpFaceInfo* faceInfo = nullptr;          // not owned: the face table's record
    const SkpPlacement* placement = nullptr;  // not owned: the reader's placement list
    bool backSide = false;

    const DirectX::XMMATRIX& transform() const { return placement->transform; }
    bool mirrored() const { return placement->mirrored; }
};

}  // namespace Importing
