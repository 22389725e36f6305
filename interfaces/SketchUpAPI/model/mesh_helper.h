// Mesh helpers: a face's triangulation, created and released by the caller.
#ifndef SKETCHUP_MODEL_MESH_HELPER_H_
#define SKETCHUP_MODEL_MESH_HELPER_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/geometry.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Creates the triangulation of face. *mesh_ref must be invalid on entry. The helper must be
/// released before the face's model.
SU_EXPORT SU_RESULT SUMeshHelperCreate(SUMeshHelperRef* mesh_ref, SUFaceRef face_ref);

/// Releases a helper made by SUMeshHelperCreate and sets *mesh_ref invalid; a reference that is
/// not a live helper answers SU_ERROR_INVALID_INPUT.
SU_EXPORT SU_RESULT SUMeshHelperRelease(SUMeshHelperRef* mesh_ref);

SU_EXPORT SU_RESULT SUMeshHelperGetNumTriangles(SUMeshHelperRef mesh_ref, size_t* count);

/// Number of vertices; one index addresses the vertex, normal and both STQ arrays alike.
SU_EXPORT SU_RESULT SUMeshHelperGetNumVertices(SUMeshHelperRef mesh_ref, size_t* count);

/// Three vertex indices per triangle, counter-clockwise seen from the front.
SU_EXPORT SU_RESULT SUMeshHelperGetVertexIndices(SUMeshHelperRef mesh_ref, size_t len,
                                                 size_t indices[], size_t* count);

/// Vertex positions in inches.
SU_EXPORT SU_RESULT SUMeshHelperGetVertices(SUMeshHelperRef mesh_ref, size_t len,
                                            struct SUPoint3D vertices[], size_t* count);

/// Texture coordinates of the front and back sides: x, y, z hold s, t, q (u = s / q,
/// v = t / q; q may be 0).
SU_EXPORT SU_RESULT SUMeshHelperGetFrontSTQCoords(SUMeshHelperRef mesh_ref, size_t len,
                                                  struct SUPoint3D stq[], size_t* count);
SU_EXPORT SU_RESULT SUMeshHelperGetBackSTQCoords(SUMeshHelperRef mesh_ref, size_t len,
                                                 struct SUPoint3D stq[], size_t* count);

/// Unit normal of the front side at every vertex.
SU_EXPORT SU_RESULT SUMeshHelperGetNormals(SUMeshHelperRef mesh_ref, size_t len,
                                           struct SUVector3D normals[], size_t* count);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_MESH_HELPER_H_
