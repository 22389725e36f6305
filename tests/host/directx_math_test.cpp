// The DirectXMath subset: row vectors, p * A * B applies A first. How XMFLOAT4X4 lays a matrix
// out, the plug-in's placement tests show.

#include <DirectXMath.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace DirectX;

// A rotation of 90 degrees about z: not commutative with a translation or a scaling.
const XMMATRIX kRotateZ(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);

XMFLOAT4X4 Stored(const XMMATRIX& m) {
    XMFLOAT4X4 values;
    XMStoreFloat4x4(&values, m);
    return values;
}

float Det(const XMMATRIX& m) {
    return XMVectorGetX(XMMatrixDeterminant(m));
}

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
}

TEST(DirectXMath, InverseDeterminantAndSingularMatrix) {
    const XMMATRIX general(2, 0.5f, -1, 0, 0.25f, 3, 0.75f, 0, -1, 0.5f, 1.5f, 0, 4, -2, 7, 1);
    const XMMATRIX projective(1, 2, 3, 4, 0, 1, 5, 6, 7, 0, 1, 8, 9, 10, 0, 1);
    for (const XMMATRIX& m : {general, projective, kRotateZ}) {
        XMVECTOR det;
        const XMMATRIX inv = XMMatrixInverse(&det, m);
        const XMFLOAT4X4 left = Stored(m * inv), right = Stored(inv * m);
        for (size_t i = 0; i < 4; ++i)
            for (size_t j = 0; j < 4; ++j) {
                EXPECT_NEAR(left(i, j), i == j, 1e-5f) << i << "," << j;
                EXPECT_NEAR(right(i, j), i == j, 1e-5f) << i << "," << j;
            }
        EXPECT_FLOAT_EQ(XMVectorGetX(det), Det(m));
    }
    EXPECT_FLOAT_EQ(Det(projective), -182);
    EXPECT_FLOAT_EQ(Det(XMMatrixScaling(2, 3, 4)), 24);
    EXPECT_FLOAT_EQ(Det(kRotateZ * XMMatrixTranslation(1, 2, 3)), 1);
    // A mirror turns the winding: its determinant is negative.
    EXPECT_FLOAT_EQ(Det(XMMatrixScaling(-1, 1, 1)), -1);
    EXPECT_FLOAT_EQ(Det(XMMATRIX(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)), -1);

    // Two parallel rows: no inverse, and what comes back is not finite.
    XMVECTOR det;
    const XMFLOAT4X4 inv =
        Stored(XMMatrixInverse(&det, XMMATRIX(1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 0, 0, 0, 1)));
    EXPECT_EQ(XMVectorGetX(det), 0);
    bool anyNonFinite = false;
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = 0; j < 4; ++j) anyNonFinite |= !std::isfinite(inv(i, j));
    EXPECT_TRUE(anyNonFinite);
}

}  // namespace
