// Layers (tags).
#ifndef SKETCHUP_MODEL_LAYER_H_
#define SKETCHUP_MODEL_LAYER_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SULayerToEntity(SULayerRef layer);
SU_EXPORT SULayerRef SULayerFromEntity(SUEntityRef entity);

/// *name must be a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SULayerGetName(SULayerRef layer, SUStringRef* name);

SU_EXPORT SU_RESULT SULayerGetVisibility(SULayerRef layer, bool* visible);

/// SU_ERROR_NO_DATA when the layer has no material; the material is owned by the model.
SU_EXPORT SU_RESULT SULayerGetMaterial(SULayerRef layer, SUMaterialRef* material);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_LAYER_H_
