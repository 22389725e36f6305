// The DirectXMath subset: row vectors, p * A * B applies A first.

#include <DirectXMath.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace DirectX;

void ExpectNear(const XMMATRIX& a, const XMMATRIX& b, float tolerance) {
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = 0; j < 4; ++j) EXPECT_NEAR(a(i, j), b(i, j), tolerance) << i << "," << j;
}

// A rotation of 90 degrees about z, then a translation: not commutative with a scaling.
const XMMATRIX kRotateZ(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);

TEST(DirectXMath, ProductAppliesLeftMatrixFirst) {
    const XMMATRIX move = XMMatrixTranslation(10, 0, 0);
    const XMVECTOR p = XMVectorSet(1, 0, 0, 1);
    // Rotate (1,0,0) to (0,1,0), then move to (10,1,0).
    const XMVECTOR rotatedThenMoved = XMVector3Transform(p, kRotateZ * move);
    EXPECT_FLOAT_EQ(XMVectorGetX(rotatedThenMoved), 10);
    EXPECT_FLOAT_EQ(XMVectorGetY(rotatedThenMoved), 1);
    // Move to (11,0,0), then rotate to (0,11,0).
    const XMVECTOR movedThenRotated = XMVector3Transform(p, move * kRotateZ);
    EXPECT_NEAR(XMVectorGetX(movedThenRotated), 0, 1e-6);
    EXPECT_FLOAT_EQ(XMVectorGetY(movedThenRotated), 11);
    // And p * A * B is (p * A) * B.
    const XMMATRIX scale = XMMatrixScaling(2, 3, 4);
    const XMVECTOR q = XMVectorSet(1, 2, 3, 1);
    const XMVECTOR once = XMVector4Transform(q, XMMatrixMultiply(scale, kRotateZ));
    const XMVECTOR twice = XMVector4Transform(XMVector4Transform(q, scale), kRotateZ);
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(once.v[k], twice.v[k]);
}

TEST(DirectXMath, TransformNormalIgnoresTranslationAndTransformKeepsW) {
    const XMMATRIX m = kRotateZ * XMMatrixTranslation(5, 6, 7);
    const XMVECTOR n = XMVector3TransformNormal(XMVectorSet(1, 0, 0, 99), m);
    EXPECT_NEAR(XMVectorGetX(n), 0, 1e-6);
    EXPECT_FLOAT_EQ(XMVectorGetY(n), 1);
    EXPECT_FLOAT_EQ(XMVectorGetZ(n), 0);
    EXPECT_FLOAT_EQ(XMVectorGetW(n), 0);
    XMMATRIX projective = XMMatrixIdentity();
    projective(2, 3) = 1;  // w picks up z: no divide may happen
    const XMVECTOR p = XMVector3Transform(XMVectorSet(1, 2, 3, 0), projective);
    EXPECT_FLOAT_EQ(XMVectorGetW(p), 4);
    EXPECT_FLOAT_EQ(XMVectorGetX(p), 1);
}

TEST(DirectXMath, InverseOfGeneralMatrix) {
    const XMMATRIX a(2, 0.5f, -1, 0, 0.25f, 3, 0.75f, 0, -1, 0.5f, 1.5f, 0, 4, -2, 7, 1);
    const XMMATRIX projective(1, 2, 3, 4, 0, 1, 5, 6, 7, 0, 1, 8, 9, 10, 0, 1);
    for (const XMMATRIX& m : {a, projective, kRotateZ}) {
        XMVECTOR det;
        const XMMATRIX inv = XMMatrixInverse(&det, m);
        ExpectNear(m * inv, XMMatrixIdentity(), 1e-5f);
        ExpectNear(inv * m, XMMatrixIdentity(), 1e-5f);
        EXPECT_FLOAT_EQ(XMVectorGetX(det), XMVectorGetX(XMMatrixDeterminant(m)));
        EXPECT_EQ(XMVectorGetX(det), XMVectorGetW(det));
    }
    XMVECTOR ignored;
    ExpectNear(XMMatrixInverse(nullptr, a), XMMatrixInverse(&ignored, a), 0);
}

TEST(DirectXMath, SingularMatrixGivesNonFiniteInverse) {
    const XMMATRIX flat(1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 0, 0, 0, 1);  // two parallel rows
    XMVECTOR det;
    const XMMATRIX inv = XMMatrixInverse(&det, flat);
    EXPECT_EQ(XMVectorGetX(det), 0);
    bool anyNonFinite = false;
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = 0; j < 4; ++j) anyNonFinite |= !std::isfinite(inv(i, j));
    EXPECT_TRUE(anyNonFinite);
}

TEST(DirectXMath, DeterminantSignsAndScale) {
    EXPECT_FLOAT_EQ(XMVectorGetX(XMMatrixDeterminant(XMMatrixScaling(-1, 1, 1))), -1);
    EXPECT_FLOAT_EQ(XMVectorGetX(XMMatrixDeterminant(XMMatrixScaling(2, 3, 4))), 24);
    EXPECT_FLOAT_EQ(XMVectorGetX(XMMatrixDeterminant(kRotateZ * XMMatrixTranslation(1, 2, 3))), 1);
    const XMMATRIX swapXY(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    EXPECT_FLOAT_EQ(XMVectorGetX(XMMatrixDeterminant(swapXY)), -1);
    const XMMATRIX projective(1, 2, 3, 4, 0, 1, 5, 6, 7, 0, 1, 8, 9, 10, 0, 1);
    EXPECT_FLOAT_EQ(XMVectorGetX(XMMatrixDeterminant(projective)), -182);
}

TEST(DirectXMath, TransposeSwapsRowsAndColumns) {
    const XMMATRIX m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const XMMATRIX t = XMMatrixTranspose(m);
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = 0; j < 4; ++j) EXPECT_EQ(t(i, j), m(j, i));
    EXPECT_EQ(m(1, 2), 6);  // the constructor takes rows
}

TEST(DirectXMath, Float3LoadStore) {
    const XMFLOAT3 source{1.5f, -2, 3};
    XMFLOAT3 back{};
    XMStoreFloat3(&back, XMLoadFloat3(&source));
    EXPECT_EQ(back.x, 1.5f);
    EXPECT_EQ(back.y, -2);
    EXPECT_EQ(back.z, 3);
    EXPECT_EQ(XMVectorGetW(XMLoadFloat3(&source)), 0);
}

}  // namespace
