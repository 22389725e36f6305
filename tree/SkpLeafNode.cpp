#include "SkpLeafNode.h"

#include <cmath>

namespace Importing {

namespace {

using DirectX::XMFLOAT4X4;
using DirectX::XMMATRIX;

// A placement whose upper-left 3x3 part has a negative determinant shows the face mirrored.
bool IsMirrored(const XMFLOAT4X4& t) {
    const float det = t.m[0][0] * (t.m[1][1] * t.m[2][2] - t.m[1][2] * t.m[2][1]) -
                      t.m[0][1] * (t.m[1][0] * t.m[2][2] - t.m[1][2] * t.m[2][0]) +
                      t.m[0][2] * (t.m[1][0] * t.m[2][1] - t.m[1][1] * t.m[2][0]);
    return det < 0.0f;
}

// The cofactor matrix of the upper-left 3x3 part: the inverse transpose up to the factor 1/det,
// so it still turns normals the right way when the placement squashes an axis to nothing.
XMMATRIX CofactorMatrix(const XMFLOAT4X4& t) {
    const auto& m = t.m;
    XMFLOAT4X4 c;
    DirectX::XMStoreFloat4x4(&c, DirectX::XMMatrixIdentity());
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 3; ++k) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c.m[r][k] = m[r1][k1] * m[r2][k2] - m[r1][k2] * m[r2][k1];
        }
    }
    return DirectX::XMLoadFloat4x4(&c);
}

bool IsFinite(const XMMATRIX& matrix) {
    XMFLOAT4X4 values;
    DirectX::XMStoreFloat4x4(&values, matrix);
    for (const auto& row : values.m) {
        for (float value : row) {
            if (!std::isfinite(value)) return false;
        }
    }
    return true;
}

// The inverse transpose of the placement without its translation.
XMMATRIX NormalMatrix(const XMFLOAT4X4& transform) {
    XMFLOAT4X4 linear = transform;
    linear._41 = linear._42 = linear._43 = 0.0f;
    linear._44 = 1.0f;
    const XMMATRIX normal = DirectX::XMMatrixTranspose(
        DirectX::XMMatrixInverse(nullptr, DirectX::XMLoadFloat4x4(&linear)));
    return IsFinite(normal) ? normal : CofactorMatrix(linear);
}

XMFLOAT4X4 Stored(const XMMATRIX& matrix) {
    XMFLOAT4X4 values;
    DirectX::XMStoreFloat4x4(&values, matrix);
    return values;
}

}  // namespace

SkpPlacement::SkpPlacement(const XMMATRIX& placement)
    : transform(Stored(placement)),
      normalMatrix(Stored(NormalMatrix(transform))),
      mirrored(IsMirrored(transform)) {}

}  // namespace Importing
