// What every visible entity has: hidden flag, layer and material.
#ifndef SKETCHUP_MODEL_DRAWING_ELEMENT_H_
#define SKETCHUP_MODEL_DRAWING_ELEMENT_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Conversions keep the pointer; From answers an invalid reference for another type.
SU_EXPORT SUEntityRef SUDrawingElementToEntity(SUDrawingElementRef elem);
SU_EXPORT SUDrawingElementRef SUDrawingElementFromEntity(SUEntityRef entity);

SU_EXPORT SU_RESULT SUDrawingElementGetHidden(SUDrawingElementRef elem, bool* hide_flag);

/// SU_ERROR_NO_DATA when the element is on no layer.
SU_EXPORT SU_RESULT SUDrawingElementGetLayer(SUDrawingElementRef elem, SULayerRef* layer);

/// The element's own material (a face's front material); SU_ERROR_NO_DATA when it has none.
/// The material is owned by the model.
SU_EXPORT SU_RESULT SUDrawingElementGetMaterial(SUDrawingElementRef elem, SUMaterialRef* material);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_DRAWING_ELEMENT_H_
