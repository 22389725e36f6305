#include <SketchUpAPI/geometry.h>
#include <SketchUpAPI/model/mesh_helper.h>
#include <oneapi/tbb/task_group.h>

#include <vector>

#include "SketchUpObjects.h"
#include "SkpReader.h"

namespace Importing {

namespace {

// What the mesh helper gives for one face, read in one call per array.
struct FaceMeshData {
    std::vector<SUPoint3D> vertices;
    std::vector<SUVector3D> normals;
    std::vector<SUPoint3D> frontSTQ;
    std::vector<SUPoint3D> backSTQ;
    std::vector<size_t> indices;
};

FaceMeshData ReadFaceMesh(SUFaceRef face) {
    FaceMeshData mesh;
    const SketchUpMeshHelper helper(face);  // released however this returns
    size_t vertexCount = 0;
    SUMeshHelperGetNumVertices(helper.ref, &vertexCount);
    mesh.vertices.assign(vertexCount, SUPoint3D{0, 0, 0});
    mesh.normals.assign(vertexCount, SUVector3D{0, 0, 0});
    mesh.frontSTQ.assign(vertexCount, SUPoint3D{0, 0, 0});
    mesh.backSTQ.assign(vertexCount, SUPoint3D{0, 0, 0});
    size_t got = 0;
    SUMeshHelperGetVertices(helper.ref, vertexCount, mesh.vertices.data(), &got);
    SUMeshHelperGetNormals(helper.ref, vertexCount, mesh.normals.data(), &got);
    SUMeshHelperGetFrontSTQCoords(helper.ref, vertexCount, mesh.frontSTQ.data(), &got);
    SUMeshHelperGetBackSTQCoords(helper.ref, vertexCount, mesh.backSTQ.data(), &got);
    size_t triangleCount = 0;
    SUMeshHelperGetNumTriangles(helper.ref, &triangleCount);
    mesh.indices.assign(3 * triangleCount, 0);
    SUMeshHelperGetVertexIndices(helper.ref, mesh.indices.size(), mesh.indices.data(), &got);
    return mesh;
}

template <typename T>
void ReserveAtLeast(std::vector<T>& values, std::size_t count) {
    if (values.capacity() < count) values.reserve(count);
}

// Positions in metres and normals, both with the model's up axis as the scene's second.
void ConvertGeometry(const FaceMeshData& mesh, float unitScale, SkpFaceInfo& info) {
    const std::size_t n = mesh.vertices.size();
    ReserveAtLeast(info.positions, info.positions.size() + 3 * n);
    ReserveAtLeast(info.normals, info.normals.size() + 3 * n);
    for (std::size_t i = 0; i < n; ++i) {
        const SUPoint3D& p = mesh.vertices[i];
        info.positions.push_back(static_cast<float>(p.x) * unitScale);
        info.positions.push_back(static_cast<float>(p.z) * unitScale);
        info.positions.push_back(static_cast<float>(p.y) * unitScale);
        const SUVector3D& normal = mesh.normals[i];
        info.normals.push_back(static_cast<float>(normal.x));
        info.normals.push_back(static_cast<float>(normal.z));
        info.normals.push_back(static_cast<float>(normal.y));
    }
}

// The texture coordinate s / (scale * q), with the numerator first narrowed to single precision
// and the division carried out in double precision.
float TextureCoordinate(double numerator, float scale, double q) {
    return static_cast<float>(static_cast<double>(static_cast<float>(numerator)) /
                              (static_cast<double>(scale) * q));
}

void ConvertIndicesAndCoordinates(const FaceMeshData& mesh, const SkpMaterialInfo& front,
                                  const SkpMaterialInfo& back, SkpFaceInfo& info) {
    const std::size_t n = mesh.vertices.size();
    ReserveAtLeast(info.frontUVs, info.frontUVs.size() + 2 * n);
    ReserveAtLeast(info.backUVs, info.backUVs.size() + 2 * n);
    ReserveAtLeast(info.indices, info.indices.size() + mesh.indices.size());
    for (size_t index : mesh.indices) info.indices.push_back(static_cast<uint32_t>(index));
    for (std::size_t i = 0; i < n; ++i) {
        const SUPoint3D& f = mesh.frontSTQ[i];
        info.frontUVs.push_back(TextureCoordinate(f.x, front.sScale, f.z));
        info.frontUVs.push_back(TextureCoordinate(f.y, front.tScale, f.z));
        const SUPoint3D& b = mesh.backSTQ[i];
        info.backUVs.push_back(TextureCoordinate(b.x, back.sScale, b.z));
        info.backUVs.push_back(TextureCoordinate(b.y, back.tScale, b.z));
    }
}

}  // namespace

void SkpReader::InitFaceInfo(SkpFaceInfo* info) {
    info->tessellated = true;
    if (!info->visible) return;

    const FaceMeshData mesh = ReadFaceMesh(info->face);
    const SkpMaterialInfo& front = *materials.FindMaterial(info->frontMaterial);
    const SkpMaterialInfo& back = *materials.FindMaterial(info->backMaterial);

    // The two halves write disjoint fields of the record; both end before this returns, and a
    // failure of either surfaces only then.
    tbb::task_group halves;
    halves.run([&] { ConvertIndicesAndCoordinates(mesh, front, back, *info); });
    try {
        ConvertGeometry(mesh, unitScale, *info);
    } catch (...) {
        halves.wait();
        throw;
    }
    halves.wait();

    info->numVertices = static_cast<int32_t>(mesh.vertices.size());
    info->numIndices = static_cast<int32_t>(mesh.indices.size());
}

}  // namespace Importing
