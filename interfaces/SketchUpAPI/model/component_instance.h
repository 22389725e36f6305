// Component instances: placements of a component definition.
#ifndef SKETCHUP_MODEL_COMPONENT_INSTANCE_H_
#define SKETCHUP_MODEL_COMPONENT_INSTANCE_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>
#include <SketchUpAPI/transformation.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SUComponentInstanceToEntity(SUComponentInstanceRef instance);
SU_EXPORT SUComponentInstanceRef SUComponentInstanceFromEntity(SUEntityRef entity);
SU_EXPORT SUDrawingElementRef SUComponentInstanceToDrawingElement(SUComponentInstanceRef instance);
SU_EXPORT SUComponentInstanceRef
SUComponentInstanceFromDrawingElement(SUDrawingElementRef drawing_elem);

/// The placed definition. An image is a component instance of a hidden definition, so an
/// image's pointer is answered here too.
SU_EXPORT SU_RESULT SUComponentInstanceGetDefinition(SUComponentInstanceRef instance,
                                                     SUComponentDefinitionRef* component);

/// The placement transform; an image's pointer is answered too.
SU_EXPORT SU_RESULT SUComponentInstanceGetTransform(SUComponentInstanceRef instance,
                                                    struct SUTransformation* transform);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_COMPONENT_INSTANCE_H_
