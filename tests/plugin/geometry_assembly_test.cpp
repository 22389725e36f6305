#include <Importing/Geometry.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
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

Written Assemble(const SkpFaceInfo& face, const XMMATRIX& transform = DirectX::XMMatrixIdentity(),
                 bool backSide = false, bool mirrored = false, float sScale = 1, float tScale = 1) {
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
    const XMMATRIX identity = DirectX::XMMatrixIdentity();
    const std::vector<uint32_t> reversed{12, 11, 10}, stored{10, 11, 12};
    EXPECT_EQ(Assemble(Triangle(), identity, false, false).indices, reversed);
    EXPECT_EQ(Assemble(Triangle(), identity, false, true).indices, stored);
    EXPECT_EQ(Assemble(Triangle(), identity, true, false).indices, stored);
    EXPECT_EQ(Assemble(Triangle(), identity, true, true).indices, reversed);
}

// Texture coordinates are scaled and flipped upright; the back side takes its own coordinates
// and negates the normals.
TEST(GeometryAssembly, EachSideTakesItsOwnCoordinatesScaledAndFlipped) {
    const Written front = Assemble(Triangle());
    const Written back = Assemble(Triangle(), DirectX::XMMatrixIdentity(), true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.vertices[i].x, front.vertices[i].x);
        EXPECT_EQ(back.vertices[i].z, front.vertices[i].z);
        EXPECT_EQ(back.vertices[i].ny, -front.vertices[i].ny);
        EXPECT_EQ(back.vertices[i].u, 2.0f);
        EXPECT_EQ(back.vertices[i].v, 1.0f - 4.0f);
    }
    EXPECT_EQ(front.vertices[0].u, 0.5f);
    EXPECT_EQ(front.vertices[0].v, 0.75f);
    const Written scaled = Assemble(Triangle(), DirectX::XMMatrixIdentity(), false, false, 0.5f, 2);
    EXPECT_EQ(scaled.vertices[0].u, 0.25f);
    EXPECT_EQ(scaled.vertices[0].v, 0.5f);
}

// Points are placed, normals turned as directions: a translation leaves them, a uniform scale of
// 2 halves them. Values 3, 7 and 11 of a SketchUp placement are projective terms; they land in
// the fourth column of the scene matrix, which neither points (no division by w) nor normals (the
// fourth row of the normal matrix, which they fill, never reaches them) take.
TEST(GeometryAssembly, PlacementsMovePointsAndTurnNormalsAsDirections) {
    using Xyz = std::array<float, 3>;
    const std::tuple<XMMATRIX, std::array<Xyz, 3>, Xyz> cases[] = {
        {DirectX::XMMatrixTranslation(5, 6, 0), {{{5, 6, 0}, {6, 6, 0}, {5, 6, 1}}}, {0, 1, 0}},
        {DirectX::XMMatrixScaling(2, 2, 2), {{{0, 0, 0}, {2, 0, 0}, {0, 0, 2}}}, {0, 0.5f, 0}},
        {XMMATRIX(1, 0, 0, 0.5f, 0, 1, 0, 0.25f, 0, 0, 1, 0, 0, 0, 0, 1),
         {{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}},
         {0, 1, 0}}};
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        const auto& [transform, corners, normal] = cases[c];
        const Written out = Assemble(Triangle(), transform);
        for (int i = 0; i < 3; ++i) {
            const Vertex& v = out.vertices[i];
            EXPECT_EQ((Xyz{v.x, v.y, v.z}), corners[i]) << "case " << c << ", vertex " << i;
            EXPECT_EQ((Xyz{v.nx, v.ny, v.nz}), normal) << "case " << c << ", vertex " << i;
        }
    }
    // A placement that squashes the x axis to nothing still gives finite normals.
    for (const Vertex& v : Assemble(Triangle(), DirectX::XMMatrixScaling(0, 1, 1)).vertices)
        EXPECT_TRUE(std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz));
}

// A record whose mesh gave triangles but no vertices: its indices would point at vertices that
// were never written, so none are written.
TEST(GeometryAssembly, FaceWithoutVerticesWritesNoIndices) {
    SkpFaceInfo meshless = Triangle();
    meshless.numVertices = 0;
    EXPECT_EQ(Assemble(meshless).indices, (std::vector<uint32_t>{99, 99, 99}));
}

}  // namespace
}  // namespace Importing::testing
