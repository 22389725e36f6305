#include <Importing/Geometry.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "reader_probe.h"

namespace Importing::testing {
namespace {

using DirectX::XMMATRIX;

// One triangle in the scene's XZ plane, normal up, with distinct texture coordinates per side.
SkpFaceInfo Triangle() {
    SkpFaceInfo face;
    face.numVertices = 3;
    face.numIndices = 3;
    face.indices = {0, 1, 2};
    face.positions = {0, 0, 0, 1, 0, 0, 0, 0, 1};
    face.normals = {0, 1, 0, 0, 1, 0, 0, 1, 0};
    face.frontUVs = {0.5f, 0.25f, 1, 0, 0, 1};
    face.backUVs = {2, 4, 2, 4, 2, 4};
    return face;
}

struct Written {
    std::vector<uint32_t> indices;
    std::vector<Vertex> vertices;
};

Written Assemble(const SkpFaceInfo& face, const XMMATRIX& transform, bool backSide, bool mirrored,
                 float sScale = 1, float tScale = 1) {
    ReaderProbe reader;
    Geometry geometry;
    geometry.vertices.resize(10 + face.numVertices);
    geometry.indices.resize(2 + face.numIndices, 99);
    SkpPlacement placement(transform);
    placement.mirrored = mirrored;  // the winding rule is tested apart from the determinant
    SkpLeafNode leaf{const_cast<SkpFaceInfo*>(&face), &placement, backSide};
    reader.AddFaceToGeometry(&geometry, &leaf, 10, 2, sScale, tScale);
    EXPECT_EQ(geometry.indices[0], 99u);  // nothing outside the reserved ranges is written
    EXPECT_EQ(geometry.indices[1], 99u);
    return {std::vector<uint32_t>(geometry.indices.begin() + 2, geometry.indices.end()),
            std::vector<Vertex>(geometry.vertices.begin() + 10, geometry.vertices.end())};
}

TEST(GeometryAssembly, SideAndMirroringChooseTheWinding) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX identity = DirectX::XMMatrixIdentity();
    const std::vector<uint32_t> reversed{12, 11, 10}, stored{10, 11, 12};
    EXPECT_EQ(Assemble(face, identity, false, false).indices, reversed);
    EXPECT_EQ(Assemble(face, identity, false, true).indices, stored);
    EXPECT_EQ(Assemble(face, identity, true, false).indices, stored);
    EXPECT_EQ(Assemble(face, identity, true, true).indices, reversed);
}

TEST(GeometryAssembly, BackSideNegatesNormalsAndUsesBackCoordinates) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX identity = DirectX::XMMatrixIdentity();
    const Written front = Assemble(face, identity, false, false);
    const Written back = Assemble(face, identity, true, false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.vertices[i].x, front.vertices[i].x);
        EXPECT_EQ(back.vertices[i].z, front.vertices[i].z);
        EXPECT_EQ(back.vertices[i].ny, -front.vertices[i].ny);
        EXPECT_EQ(back.vertices[i].u, 2.0f);
        EXPECT_EQ(back.vertices[i].v, 1.0f - 4.0f);
    }
}

TEST(GeometryAssembly, TranslationMovesPointsButNotNormals) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX moved = DirectX::XMMatrixTranslation(5, 6, 0);
    const Written out = Assemble(face, moved, false, false);
    EXPECT_EQ(out.vertices[1].x, 6.0f);
    EXPECT_EQ(out.vertices[1].y, 6.0f);
    EXPECT_EQ(out.vertices[1].nx, 0.0f);
    EXPECT_EQ(out.vertices[1].ny, 1.0f);
    EXPECT_EQ(out.vertices[1].nz, 0.0f);
}

TEST(GeometryAssembly, UniformScaleDoublesPointsAndHalvesNormals) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX scaled = DirectX::XMMatrixScaling(2, 2, 2);
    const Written out = Assemble(face, scaled, false, false);
    EXPECT_EQ(out.vertices[1].x, 2.0f);
    EXPECT_EQ(out.vertices[2].z, 2.0f);
    EXPECT_FLOAT_EQ(out.vertices[0].ny, 0.5f);
}

TEST(GeometryAssembly, TextureCoordinatesAreScaledAndFlipped) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX identity = DirectX::XMMatrixIdentity();
    const Written plain = Assemble(face, identity, false, false);
    EXPECT_EQ(plain.vertices[0].u, 0.5f);
    EXPECT_EQ(plain.vertices[0].v, 0.75f);
    const Written halved = Assemble(face, identity, false, false, 0.5f, 2.0f);
    EXPECT_EQ(halved.vertices[0].u, 0.25f);
    EXPECT_EQ(halved.vertices[0].v, 0.5f);
}

// A record whose mesh gave triangles but no vertices: its indices would point at vertices that
// were never written, so none are written.
TEST(GeometryAssembly, FaceWithoutVerticesWritesNoIndices) {
    SkpFaceInfo meshless = Triangle();
    meshless.numVertices = 0;
    const Written out = Assemble(meshless, DirectX::XMMatrixIdentity(), false, false);
    EXPECT_EQ(out.indices, (std::vector<uint32_t>{99, 99, 99}));
}

// Values 3, 7 and 11 of a SketchUp placement are projective terms; they land in the fourth column
// of the scene matrix. Normals are turned as directions: the fourth row of the normal matrix,
// which those terms fill, never reaches them.
TEST(GeometryAssembly, ProjectiveTermsLeaveNormalsTurnedAsDirections) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX projective(1, 0, 0, 0.5f, 0, 1, 0, 0.25f, 0, 0, 1, 0, 0, 0, 0, 1);
    const Written out = Assemble(face, projective, false, false);
    for (const Vertex& v : out.vertices) {
        EXPECT_EQ(v.nx, 0.0f);
        EXPECT_EQ(v.ny, 1.0f);
        EXPECT_EQ(v.nz, 0.0f);
    }
    EXPECT_EQ(out.vertices[1].x, 1.0f);  // points ignore the terms too: no division by w
}

TEST(GeometryAssembly, SquashedPlacementStillGivesFiniteNormals) {
    const SkpFaceInfo face = Triangle();
    const XMMATRIX flat = DirectX::XMMatrixScaling(0, 1, 1);  // squashes the x axis to nothing
    const Written out = Assemble(face, flat, false, false);
    for (const Vertex& v : out.vertices) {
        EXPECT_TRUE(std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz));
    }
}

}  // namespace
}  // namespace Importing::testing
