// The part of DirectXMath the plug-in uses, in plain single-precision C++ (no SIMD).
// Row-vector convention as DirectXMath: a point p is transformed as p * M, so A * B applies A
// first, then B; translations sit in row 3.
#pragma once

#include <cstddef>

#define XM_CALLCONV

namespace DirectX {

struct alignas(16) XMVECTOR {
    float v[4];
};

typedef const XMVECTOR FXMVECTOR;
typedef const XMVECTOR GXMVECTOR;
typedef const XMVECTOR& HXMVECTOR;
typedef const XMVECTOR& CXMVECTOR;

struct XMFLOAT3 {
    float x, y, z;
};

struct XMFLOAT4 {
    float x, y, z, w;
};

struct alignas(16) XMMATRIX {
    float m[4][4];

    XMMATRIX() = default;
    constexpr XMMATRIX(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                       float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                       float m32, float m33)
        : m{{m00, m01, m02, m03},
            {m10, m11, m12, m13},
            {m20, m21, m22, m23},
            {m30, m31, m32, m33}} {}

    float operator()(size_t row, size_t column) const { return m[row][column]; }
    float& operator()(size_t row, size_t column) { return m[row][column]; }
};

typedef const XMMATRIX& FXMMATRIX;
typedef const XMMATRIX& CXMMATRIX;

inline XMVECTOR XM_CALLCONV XMVectorSet(float x, float y, float z, float w) {
    return XMVECTOR{{x, y, z, w}};
}
inline XMVECTOR XM_CALLCONV XMVectorReplicate(float value) {
    return XMVECTOR{{value, value, value, value}};
}
inline float XM_CALLCONV XMVectorGetX(FXMVECTOR v) {
    return v.v[0];
}
inline float XM_CALLCONV XMVectorGetY(FXMVECTOR v) {
    return v.v[1];
}
inline float XM_CALLCONV XMVectorGetZ(FXMVECTOR v) {
    return v.v[2];
}
inline float XM_CALLCONV XMVectorGetW(FXMVECTOR v) {
    return v.v[3];
}

inline XMMATRIX XM_CALLCONV XMMatrixIdentity() {
    return XMMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

inline XMMATRIX XM_CALLCONV XMMatrixMultiply(FXMMATRIX a, CXMMATRIX b) {
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                        a.m[i][3] * b.m[3][j];
    return r;
}

inline XMMATRIX XM_CALLCONV operator*(FXMMATRIX a, CXMMATRIX b) {
    return XMMatrixMultiply(a, b);
}

inline XMMATRIX XM_CALLCONV XMMatrixTranspose(FXMMATRIX a) {
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = a.m[j][i];
    return r;
}

inline XMMATRIX XM_CALLCONV XMMatrixTranslation(float x, float y, float z) {
    return XMMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
}

inline XMMATRIX XM_CALLCONV XMMatrixScaling(float x, float y, float z) {
    return XMMATRIX(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1);
}

namespace detail {

// Cofactors of M (c[i][j] = (-1)^(i+j) * minor(i, j)) through the 2x2 sub-determinants of the
// upper and lower row pairs.
inline void Cofactors(const XMMATRIX& M, float c[4][4]) {
    const float(&a)[4][4] = M.m;
    const float s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    const float s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    const float s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    const float s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    const float s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    const float s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    const float c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    const float c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    const float c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    const float c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    const float c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    const float c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];

    c[0][0] = a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3;
    c[0][1] = -(a[1][0] * c5 - a[1][2] * c2 + a[1][3] * c1);
    c[0][2] = a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0;
    c[0][3] = -(a[1][0] * c3 - a[1][1] * c1 + a[1][2] * c0);
    c[1][0] = -(a[0][1] * c5 - a[0][2] * c4 + a[0][3] * c3);
    c[1][1] = a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1;
    c[1][2] = -(a[0][0] * c4 - a[0][1] * c2 + a[0][3] * c0);
    c[1][3] = a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0;
    c[2][0] = a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3;
    c[2][1] = -(a[3][0] * s5 - a[3][2] * s2 + a[3][3] * s1);
    c[2][2] = a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0;
    c[2][3] = -(a[3][0] * s3 - a[3][1] * s1 + a[3][2] * s0);
    c[3][0] = -(a[2][1] * s5 - a[2][2] * s4 + a[2][3] * s3);
    c[3][1] = a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1;
    c[3][2] = -(a[2][0] * s4 - a[2][1] * s2 + a[2][3] * s0);
    c[3][3] = a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0;
}

}  // namespace detail

// The determinant in all four lanes.
inline XMVECTOR XM_CALLCONV XMMatrixDeterminant(FXMMATRIX M) {
    float c[4][4];
    detail::Cofactors(M, c);
    const float det =
        M.m[0][0] * c[0][0] + M.m[0][1] * c[0][1] + M.m[0][2] * c[0][2] + M.m[0][3] * c[0][3];
    return XMVectorReplicate(det);
}

// The general inverse (adjugate / determinant). As DirectXMath, a singular M is not detected:
// the result is then infinite or NaN. pDeterminant, when not null, receives the determinant in
// all four lanes.
inline XMMATRIX XM_CALLCONV XMMatrixInverse(XMVECTOR* pDeterminant, FXMMATRIX M) {
    float c[4][4];
    detail::Cofactors(M, c);
    const float det =
        M.m[0][0] * c[0][0] + M.m[0][1] * c[0][1] + M.m[0][2] * c[0][2] + M.m[0][3] * c[0][3];
    if (pDeterminant) *pDeterminant = XMVectorReplicate(det);
    const float inv = 1.0f / det;
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = c[j][i] * inv;
    return r;
}

// v * M.
inline XMVECTOR XM_CALLCONV XMVector4Transform(FXMVECTOR v, FXMMATRIX M) {
    XMVECTOR r;
    for (int j = 0; j < 4; ++j)
        r.v[j] = v.v[0] * M.m[0][j] + v.v[1] * M.m[1][j] + v.v[2] * M.m[2][j] + v.v[3] * M.m[3][j];
    return r;
}

// (x, y, z, 1) * M, without dividing by w.
inline XMVECTOR XM_CALLCONV XMVector3Transform(FXMVECTOR v, FXMMATRIX M) {
    return XMVector4Transform(XMVectorSet(v.v[0], v.v[1], v.v[2], 1.0f), M);
}

// (x, y, z, 0) * M: directions ignore the translation.
inline XMVECTOR XM_CALLCONV XMVector3TransformNormal(FXMVECTOR v, FXMMATRIX M) {
    return XMVector4Transform(XMVectorSet(v.v[0], v.v[1], v.v[2], 0.0f), M);
}

inline void XM_CALLCONV XMStoreFloat3(XMFLOAT3* destination, FXMVECTOR v) {
    destination->x = v.v[0];
    destination->y = v.v[1];
    destination->z = v.v[2];
}

inline XMVECTOR XM_CALLCONV XMLoadFloat3(const XMFLOAT3* source) {
    return XMVectorSet(source->x, source->y, source->z, 0.0f);
}

inline void XM_CALLCONV XMStoreFloat4(XMFLOAT4* destination, FXMVECTOR v) {
    destination->x = v.v[0];
    destination->y = v.v[1];
    destination->z = v.v[2];
    destination->w = v.v[3];
}

inline XMVECTOR XM_CALLCONV XMLoadFloat4(const XMFLOAT4* source) {
    return XMVectorSet(source->x, source->y, source->z, source->w);
}

}  // namespace DirectX
