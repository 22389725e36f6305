// Faces: planar polygons, possibly with holes.
#ifndef SKETCHUP_MODEL_FACE_H_
#define SKETCHUP_MODEL_FACE_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/geometry.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SUFaceToEntity(SUFaceRef face);
SU_EXPORT SUFaceRef SUFaceFromEntity(SUEntityRef entity);
SU_EXPORT SUDrawingElementRef SUFaceToDrawingElement(SUFaceRef face);
SU_EXPORT SUFaceRef SUFaceFromDrawingElement(SUDrawingElementRef drawing_elem);

/// Unit normal of the front side.
SU_EXPORT SU_RESULT SUFaceGetNormal(SUFaceRef face, struct SUVector3D* normal);

/// SU_ERROR_NO_DATA when that side has no material of its own.
SU_EXPORT SU_RESULT SUFaceGetFrontMaterial(SUFaceRef face, SUMaterialRef* material);
SU_EXPORT SU_RESULT SUFaceGetBackMaterial(SUFaceRef face, SUMaterialRef* material);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_FACE_H_
