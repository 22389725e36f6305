// A collection of entities: the model's root or a definition's contents.
#ifndef SKETCHUP_MODEL_ENTITIES_H_
#define SKETCHUP_MODEL_ENTITIES_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Each list getter fills up to len references in the collection's order and writes how many it
/// wrote to *count.
SU_EXPORT SU_RESULT SUEntitiesGetNumFaces(SUEntitiesRef entities, size_t* count);
SU_EXPORT SU_RESULT SUEntitiesGetFaces(SUEntitiesRef entities, size_t len, SUFaceRef faces[],
                                       size_t* count);

SU_EXPORT SU_RESULT SUEntitiesGetNumGroups(SUEntitiesRef entities, size_t* count);
SU_EXPORT SU_RESULT SUEntitiesGetGroups(SUEntitiesRef entities, size_t len, SUGroupRef groups[],
                                        size_t* count);

SU_EXPORT SU_RESULT SUEntitiesGetNumInstances(SUEntitiesRef entities, size_t* count);
SU_EXPORT SU_RESULT SUEntitiesGetInstances(SUEntitiesRef entities, size_t len,
                                           SUComponentInstanceRef instances[], size_t* count);

SU_EXPORT SU_RESULT SUEntitiesGetNumImages(SUEntitiesRef entities, size_t* count);
SU_EXPORT SU_RESULT SUEntitiesGetImages(SUEntitiesRef entities, size_t len, SUImageRef images[],
                                        size_t* count);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_ENTITIES_H_
