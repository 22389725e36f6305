// Faces and their mesh helpers. A helper only points at the mesh made when the model was read.
#include <SketchUpAPI/model/face.h>
#include <SketchUpAPI/model/mesh_helper.h>

#include "api_support.h"

using namespace skpm;

namespace {

SUResult GetSideMaterial(SUFaceRef ref, FailPoint point, const Material* Face::*side,
                         SUMaterialRef* material) {
    const Face* face = As<Face>(ref.ptr);
    if (SUResult r = Begin(face, point, {material}); r != SU_ERROR_NONE) return r;
    if (face->*side == nullptr) return SU_ERROR_NO_DATA;
    *material = RefTo<SUMaterialRef>(face->*side);
    return SU_ERROR_NONE;
}

// The face behind a live helper; the face's fail list governs the helper's calls.
const Face* FaceOf(SUMeshHelperRef ref) {
    const MeshHelper* helper = live::Find<MeshHelper>(ref.ptr);
    return helper ? helper->face : nullptr;
}

SUPoint3D ToPoint(const Vec3& v) {
    return SUPoint3D{v.x, v.y, v.z};
}

const std::vector<Vec3>& Vertices(const Face& face) {
    return face.mesh.vertices;
}
const std::vector<Vec3>& FrontStq(const Face& face) {
    return face.frontSTQ;
}
const std::vector<Vec3>& BackStq(const Face& face) {
    return face.backSTQ;
}

// Copies up to len points of the face's `source` array.
SUResult GetMeshPoints(SUMeshHelperRef ref, FailPoint point,
                       const std::vector<Vec3>& (*source)(const Face&), size_t len, SUPoint3D out[],
                       size_t* count) {
    const Face* face = FaceOf(ref);
    if (SUResult r = Begin(face, point, {count}); r != SU_ERROR_NONE) return r;
    if (out == nullptr && len > 0) return SU_ERROR_NULL_POINTER_OUTPUT;
    const std::vector<Vec3>& points = source(*face);
    const size_t n = std::min(len, points.size());
    for (size_t i = 0; i < n; ++i) out[i] = ToPoint(points[i]);
    *count = n;
    return SU_ERROR_NONE;
}

}  // namespace

SU_RESULT SUFaceGetNormal(SUFaceRef ref, struct SUVector3D* normal) {
    const Face* face = As<Face>(ref.ptr);
    if (SUResult r = Begin(face, FailPoint::SUFaceGetNormal, {normal}); r != SU_ERROR_NONE)
        return r;
    *normal = SUVector3D{face->mesh.normal.x, face->mesh.normal.y, face->mesh.normal.z};
    return SU_ERROR_NONE;
}

SU_RESULT SUFaceGetFrontMaterial(SUFaceRef face, SUMaterialRef* material) {
    return GetSideMaterial(face, FailPoint::SUFaceGetFrontMaterial, &Face::material, material);
}

SU_RESULT SUFaceGetBackMaterial(SUFaceRef face, SUMaterialRef* material) {
    return GetSideMaterial(face, FailPoint::SUFaceGetBackMaterial, &Face::back, material);
}

SU_RESULT SUMeshHelperCreate(SUMeshHelperRef* mesh_ref, SUFaceRef face_ref) {
    return Guarded([&] {
        const Face* face = As<Face>(face_ref.ptr);
        if (face == nullptr) return SU_ERROR_INVALID_INPUT;
        if (mesh_ref == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
        if (SUIsValid(*mesh_ref)) return SU_ERROR_OVERWRITE_VALID;
        if (SUResult r = face->fails.Check(FailPoint::SUMeshHelperCreate); r != SU_ERROR_NONE)
            return r;
        auto helper = std::make_unique<MeshHelper>(face);
        mesh_ref->ptr = live::Add(std::move(helper));
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUMeshHelperRelease(SUMeshHelperRef* mesh_ref) {
    if (mesh_ref == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (!live::Release(mesh_ref->ptr, MeshHelper::kLiveType)) return SU_ERROR_INVALID_INPUT;
    SUSetInvalid(*mesh_ref);
    return SU_ERROR_NONE;
}

SU_RESULT SUMeshHelperGetNumTriangles(SUMeshHelperRef mesh_ref, size_t* count) {
    const Face* face = FaceOf(mesh_ref);
    if (SUResult r = Begin(face, FailPoint::SUMeshHelperGetNumTriangles, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    *count = face->mesh.triangles.size() / 3;
    return SU_ERROR_NONE;
}

SU_RESULT SUMeshHelperGetNumVertices(SUMeshHelperRef mesh_ref, size_t* count) {
    const Face* face = FaceOf(mesh_ref);
    if (SUResult r = Begin(face, FailPoint::SUMeshHelperGetNumVertices, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    *count = face->mesh.vertices.size();
    return SU_ERROR_NONE;
}

SU_RESULT SUMeshHelperGetVertexIndices(SUMeshHelperRef mesh_ref, size_t len, size_t indices[],
                                       size_t* count) {
    const Face* face = FaceOf(mesh_ref);
    if (SUResult r = Begin(face, FailPoint::SUMeshHelperGetVertexIndices, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    if (indices == nullptr && len > 0) return SU_ERROR_NULL_POINTER_OUTPUT;
    const std::vector<uint32_t>& triangles = face->mesh.triangles;
    const size_t n = std::min(len, triangles.size());
    for (size_t i = 0; i < n; ++i) indices[i] = triangles[i];
    *count = n;
    return SU_ERROR_NONE;
}

SU_RESULT SUMeshHelperGetVertices(SUMeshHelperRef mesh_ref, size_t len, struct SUPoint3D vertices[],
                                  size_t* count) {
    return GetMeshPoints(mesh_ref, FailPoint::SUMeshHelperGetVertices, Vertices, len, vertices,
                         count);
}

SU_RESULT SUMeshHelperGetFrontSTQCoords(SUMeshHelperRef mesh_ref, size_t len,
                                        struct SUPoint3D stq[], size_t* count) {
    return GetMeshPoints(mesh_ref, FailPoint::SUMeshHelperGetFrontSTQCoords, FrontStq, len, stq,
                         count);
}

SU_RESULT SUMeshHelperGetBackSTQCoords(SUMeshHelperRef mesh_ref, size_t len, struct SUPoint3D stq[],
                                       size_t* count) {
    return GetMeshPoints(mesh_ref, FailPoint::SUMeshHelperGetBackSTQCoords, BackStq, len, stq,
                         count);
}

SU_RESULT SUMeshHelperGetNormals(SUMeshHelperRef mesh_ref, size_t len, struct SUVector3D normals[],
                                 size_t* count) {
    const Face* face = FaceOf(mesh_ref);
    if (SUResult r = Begin(face, FailPoint::SUMeshHelperGetNormals, {count}); r != SU_ERROR_NONE) {
        return r;
    }
    if (normals == nullptr && len > 0) return SU_ERROR_NULL_POINTER_OUTPUT;
    const Vec3 n = face->mesh.normal;
    const size_t written = std::min(len, face->mesh.vertices.size());
    for (size_t i = 0; i < written; ++i) normals[i] = SUVector3D{n.x, n.y, n.z};
    *count = written;
    return SU_ERROR_NONE;
}
