// What every entity has: a type and attribute dictionaries.
#ifndef SKETCHUP_MODEL_ENTITY_H_
#define SKETCHUP_MODEL_ENTITY_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// The entity's concrete type; SURefType_Unknown for an invalid reference.
SU_EXPORT enum SURefType SUEntityGetType(SUEntityRef entity);

SU_EXPORT SU_RESULT SUEntityGetNumAttributeDictionaries(SUEntityRef entity, size_t* count);

/// Fills dictionaries[0..len) in order; the dictionaries are owned by the entity.
SU_EXPORT SU_RESULT SUEntityGetAttributeDictionaries(SUEntityRef entity, size_t len,
                                                     SUAttributeDictionaryRef dictionaries[],
                                                     size_t* count);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_ENTITY_H_
