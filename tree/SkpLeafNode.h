#pragma once

#include <DirectXMath.h>

#include <cstddef>

namespace Importing {

struct SkpFaceInfo;

// One placed side of one face. Made in their millions by the walk's tasks at once, so they come
// from the runtime's scalable allocator.
struct SkpLeafNode {
    SkpFaceInfo* faceInfo = nullptr;  // not owned: the face table's record
    DirectX::XMMATRIX transform;      // accumulated placement, row-vector convention
    bool backSide = false;
    bool mirrored = false;  // the placement reverses orientation

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer) noexcept;
};

}  // namespace Importing
