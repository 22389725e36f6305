#pragma once

#include <DirectXMath.h>

#include <cstdint>

namespace Importing {

struct SkpFaceInfo;

// Where one visit of an entities collection puts its faces. Every face of the visit shares it,
// so the matrices are derived once per visit, not once per placed face: `transform` is the
// accumulated placement (row-vector convention), `normalMatrix` turns normals as it turns
// surfaces; both are plain rows of floats, read element by element for every vertex placed.
struct SkpPlacement {
    SkpPlacement() = default;  // the identity
    explicit SkpPlacement(const DirectX::XMMATRIX& placement);

    DirectX::XMFLOAT4X4 transform{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    DirectX::XMFLOAT4X4 normalMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool mirrored = false;  // the placement reverses orientation
};

// One placed side of one face, as AddFaceToGeometry writes it: the merge makes one on its stack
// for every face side of a visit's plan. 16 bytes, the side riding in the lowest bit of the
// placement's address, which its alignment leaves free.
class SkpLeafNode {
public:
    SkpLeafNode() = default;
    SkpLeafNode(SkpFaceInfo* face, const SkpPlacement* placement, bool backSide)
        : faceInfo(face),
          placementAndSide_(reinterpret_cast<std::uintptr_t>(placement) | (backSide ? 1u : 0u)) {}

    const SkpPlacement* placement() const {
        return reinterpret_cast<const SkpPlacement*>(placementAndSide_ & ~std::uintptr_t(1));
    }
    bool backSide() const { return (placementAndSide_ & 1u) != 0; }

    SkpFaceInfo* faceInfo = nullptr;  // not owned: the face table's record

private:
    std::uintptr_t placementAndSide_ = 0;  // not owned
};

static_assert(alignof(SkpPlacement) >= 2, "the side needs the placement's lowest address bit");

}  // namespace Importing
