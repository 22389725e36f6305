// Images: pictures placed in the model (internally instances of a hidden definition).
#ifndef SKETCHUP_MODEL_IMAGE_H_
#define SKETCHUP_MODEL_IMAGE_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>
#include <SketchUpAPI/transformation.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SUImageToEntity(SUImageRef image);
SU_EXPORT SUImageRef SUImageFromEntity(SUEntityRef entity);
SU_EXPORT SUDrawingElementRef SUImageToDrawingElement(SUImageRef image);
SU_EXPORT SUImageRef SUImageFromDrawingElement(SUDrawingElementRef drawing_elem);

SU_EXPORT SU_RESULT SUImageGetTransform(SUImageRef image, struct SUTransformation* transform);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_IMAGE_H_
