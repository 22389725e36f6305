// Groups: placements of a group definition.
#ifndef SKETCHUP_MODEL_GROUP_H_
#define SKETCHUP_MODEL_GROUP_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>
#include <SketchUpAPI/transformation.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SUGroupToEntity(SUGroupRef group);
SU_EXPORT SUGroupRef SUGroupFromEntity(SUEntityRef entity);
SU_EXPORT SUDrawingElementRef SUGroupToDrawingElement(SUGroupRef group);
SU_EXPORT SUGroupRef SUGroupFromDrawingElement(SUDrawingElementRef drawing_elem);

/// The group's contents (its definition's entities, owned by the model).
SU_EXPORT SU_RESULT SUGroupGetEntities(SUGroupRef group, SUEntitiesRef* entities);

SU_EXPORT SU_RESULT SUGroupGetTransform(SUGroupRef group, struct SUTransformation* transform);

SU_EXPORT SU_RESULT SUGroupGetDefinition(SUGroupRef group,
                                         SUComponentDefinitionRef* component_definition);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_GROUP_H_
