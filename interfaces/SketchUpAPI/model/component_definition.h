// Component definitions: named, reusable entity collections.
#ifndef SKETCHUP_MODEL_COMPONENT_DEFINITION_H_
#define SKETCHUP_MODEL_COMPONENT_DEFINITION_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SUEntityRef SUComponentDefinitionToEntity(SUComponentDefinitionRef comp_def);
SU_EXPORT SUComponentDefinitionRef SUComponentDefinitionFromEntity(SUEntityRef entity);

/// *name must be a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SUComponentDefinitionGetName(SUComponentDefinitionRef comp_def,
                                                 SUStringRef* name);

SU_EXPORT SU_RESULT SUComponentDefinitionGetEntities(SUComponentDefinitionRef comp_def,
                                                     SUEntitiesRef* entities);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_COMPONENT_DEFINITION_H_
