// The part of DirectXMath the plug-in uses, in plain single-precision C++ (no SIMD), laid out as
// Microsoft's header lays it out: XMVECTOR is an opaque register value, XMMATRIX four of them, one
// per row. The element array `m` of XMMATRIX exists only when _XM_NO_INTRINSICS_ is defined, as
// there: code that must also compile against the real header in its ordinary mode reaches
// elements through XMFLOAT4X4 and XMLoadFloat4x4 / XMStoreFloat4x4.
// Row-vector convention as DirectXMath: a point p is transformed as p * M, so A * B applies A
// first, then B; translations sit in row 3.
#pragma once

#include <cstddef>

#define XM_CALLCONV

namespace DirectX {

// The lanes are reached through XMVectorGetX ... W, XMStoreFloat3/4 and XMVectorSet.
struct alignas(16) XMVECTOR {
    float vector4_f32[4];
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

// A matrix in memory: sixteen floats, row by row.
struct XMFLOAT4X4 {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };

    XMFLOAT4X4() = default;
    constexpr XMFLOAT4X4(float m00, float m01, float m02, float m03, float m10, float m11,
                         float m12, float m13, float m20, float m21, float m22, float m23,
                         float m30, float m31, float m32, float m33)
        : m{{m00, m01, m02, m03},
            {m10, m11, m12, m13},
            {m20, m21, m22, m23},
            {m30, m31, m32, m33}} {}

    float operator()(size_t row, size_t column) const { return m[row][column]; }
    float& operator()(size_t row, size_t column) { return m[row][column]; }
};

struct alignas(16) XMMATRIX {
#ifdef _XM_NO_INTRINSICS_
    union {
        XMVECTOR r[4];
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
#else
    XMVECTOR r[4];
#endif

    XMMATRIX() = default;
    constexpr XMMATRIX(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                       float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                       float m32, float m33)
        : r{{{m00, m01, m02, m03}},
            {{m10, m11, m12, m13}},
            {{m20, m21, m22, m23}},
            {{m30, m31, m32, m33}}} {}

#ifdef _XM_NO_INTRINSICS_
    float operator()(size_t row, size_t column) const {
        return m[row][column];
    }
    float& operator()(size_t row, size_t column) {
        return m[row][column];
    }
#endif
};

typedef const XMMATRIX& FXMMATRIX;
typedef const XMMATRIX& CXMMATRIX;

namespace detail {

// Element access for the functions below, which stand in for SIMD code.
inline float At(const XMMATRIX& M, int row, int column) {
    return M.r[row].vector4_f32[column];
}
inline float& At(XMMATRIX& M, int row, int column) {
    return M.r[row].vector4_f32[column];
}

}  // namespace detail

inline XMVECTOR XM_CALLCONV XMVectorSet(float x, float y, float z, float w) {
    return XMVECTOR{{x, y, z, w}};
}
inline XMVECTOR XM_CALLCONV XMVectorReplicate(float value) {
    return XMVECTOR{{value, value, value, value}};
}
inline float XM_CALLCONV XMVectorGetX(FXMVECTOR v) {
    return v.vector4_f32[0];
}
inline float XM_CALLCONV XMVectorGetY(FXMVECTOR v) {
    return v.vector4_f32[1];
}
inline float XM_CALLCONV XMVectorGetZ(FXMVECTOR v) {
    return v.vector4_f32[2];
}
inline float XM_CALLCONV XMVectorGetW(FXMVECTOR v) {
    return v.vector4_f32[3];
}

inline XMMATRIX XM_CALLCONV XMMatrixIdentity() {
    return XMMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

inline XMMATRIX XM_CALLCONV XMMatrixMultiply(FXMMATRIX a, CXMMATRIX b) {
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            detail::At(r, i, j) = detail::At(a, i, 0) * detail::At(b, 0, j) +
                                  detail::At(a, i, 1) * detail::At(b, 1, j) +
                                  detail::At(a, i, 2) * detail::At(b, 2, j) +
                                  detail::At(a, i, 3) * detail::At(b, 3, j);
    return r;
}

inline XMMATRIX XM_CALLCONV operator*(FXMMATRIX a, CXMMATRIX b) {
    return XMMatrixMultiply(a, b);
}

inline XMMATRIX XM_CALLCONV XMMatrixTranspose(FXMMATRIX a) {
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) detail::At(r, i, j) = detail::At(a, j, i);
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
    float a[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) a[i][j] = At(M, i, j);
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
    const float det = detail::At(M, 0, 0) * c[0][0] + detail::At(M, 0, 1) * c[0][1] +
                      detail::At(M, 0, 2) * c[0][2] + detail::At(M, 0, 3) * c[0][3];
    return XMVectorReplicate(det);
}

// The general inverse (adjugate / determinant). As DirectXMath, a singular M is not detected:
// the result is then infinite or NaN. pDeterminant, when not null, receives the determinant in
// all four lanes.
inline XMMATRIX XM_CALLCONV XMMatrixInverse(XMVECTOR* pDeterminant, FXMMATRIX M) {
    float c[4][4];
    detail::Cofactors(M, c);
    const float det = detail::At(M, 0, 0) * c[0][0] + detail::At(M, 0, 1) * c[0][1] +
                      detail::At(M, 0, 2) * c[0][2] + detail::At(M, 0, 3) * c[0][3];
    if (pDeterminant) *pDeterminant = XMVectorReplicate(det);
    const float inv = 1.0f / det;
    XMMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) detail::At(r, i, j) = c[j][i] * inv;
    return r;
}

// v * M.
inline XMVECTOR XM_CALLCONV XMVector4Transform(FXMVECTOR v, FXMMATRIX M) {
    XMVECTOR r;
    for (int j = 0; j < 4; ++j)
        r.vector4_f32[j] =
            v.vector4_f32[0] * detail::At(M, 0, j) + v.vector4_f32[1] * detail::At(M, 1, j) +
            v.vector4_f32[2] * detail::At(M, 2, j) + v.vector4_f32[3] * detail::At(M, 3, j);
    return r;
}

// (x, y, z, 1) * M, without dividing by w.
inline XMVECTOR XM_CALLCONV XMVector3Transform(FXMVECTOR v, FXMMATRIX M) {
    return XMVector4Transform(
        XMVectorSet(v.vector4_f32[0], v.vector4_f32[1], v.vector4_f32[2], 1.0f), M);
}

// (x, y, z, 0) * M: directions ignore the translation.
inline XMVECTOR XM_CALLCONV XMVector3TransformNormal(FXMVECTOR v, FXMMATRIX M) {
    return XMVector4Transform(
        XMVectorSet(v.vector4_f32[0], v.vector4_f32[1], v.vector4_f32[2], 0.0f), M);
}

inline void XM_CALLCONV XMStoreFloat3(XMFLOAT3* destination, FXMVECTOR v) {
    destination->x = v.vector4_f32[0];
    destination->y = v.vector4_f32[1];
    destination->z = v.vector4_f32[2];
}

inline XMVECTOR XM_CALLCONV XMLoadFloat3(const XMFLOAT3* source) {
    return XMVectorSet(source->x, source->y, source->z, 0.0f);
}

inline void XM_CALLCONV XMStoreFloat4(XMFLOAT4* destination, FXMVECTOR v) {
    destination->x = v.vector4_f32[0];
    destination->y = v.vector4_f32[1];
    destination->z = v.vector4_f32[2];
    destination->w = v.vector4_f32[3];
}

inline XMVECTOR XM_CALLCONV XMLoadFloat4(const XMFLOAT4* source) {
    return XMVectorSet(source->x, source->y, source->z, source->w);
}

inline XMMATRIX XM_CALLCONV XMLoadFloat4x4(const XMFLOAT4X4* source) {
    const auto& m = source->m;
    return XMMATRIX(m[0][0], m[0][1], m[0][2], m[0][3], m[1][0], m[1][1], m[1][2], m[1][3], m[2][0],
                    m[2][1], m[2][2], m[2][3], m[3][0], m[3][1], m[3][2], m[3][3]);
}

inline void XM_CALLCONV XMStoreFloat4x4(XMFLOAT4X4* destination, FXMMATRIX M) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) destination->m[i][j] = detail::At(M, i, j);
}

}  // namespace DirectX
