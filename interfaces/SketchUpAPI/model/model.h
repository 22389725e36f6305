// The model: opening a file and reaching its top-level collections.
#ifndef SKETCHUP_MODEL_MODEL_H_
#define SKETCHUP_MODEL_MODEL_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Opens the model stored at file_path (UTF-8). *model must be invalid on entry. Every object
/// reached through the model lives until SUModelRelease; reading it from several threads at once
/// is safe.
SU_EXPORT SU_RESULT SUModelCreateFromFile(SUModelRef* model, const char* file_path);

/// Releases a model made by SUModelCreateFromFile and sets *model invalid. References into the
/// model, and mesh helpers made from its faces, are dead afterwards.
SU_EXPORT SU_RESULT SUModelRelease(SUModelRef* model);

/// Version of the application that saved the model.
SU_EXPORT SU_RESULT SUModelGetVersion(SUModelRef model, int* major, int* minor, int* build);

/// The model's root entities (owned by the model).
SU_EXPORT SU_RESULT SUModelGetEntities(SUModelRef model, SUEntitiesRef* entities);

/// The model's rendering options (owned by the model).
SU_EXPORT SU_RESULT SUModelGetRenderingOptions(SUModelRef model,
                                               SURenderingOptionsRef* rendering_options);

SU_EXPORT SU_RESULT SUModelGetNumLayers(SUModelRef model, size_t* count);

/// Fills layers[0..len) in the model's order; *count receives how many were written.
SU_EXPORT SU_RESULT SUModelGetLayers(SUModelRef model, size_t len, SULayerRef layers[],
                                     size_t* count);

/// The layer new geometry goes to (SU_ERROR_NO_DATA when the model has no layer).
SU_EXPORT SU_RESULT SUModelGetDefaultLayer(SUModelRef model, SULayerRef* layer);

/// Component definitions (not those of groups or images).
SU_EXPORT SU_RESULT SUModelGetNumComponentDefinitions(SUModelRef model, size_t* count);
SU_EXPORT SU_RESULT SUModelGetComponentDefinitions(SUModelRef model, size_t len,
                                                   SUComponentDefinitionRef definitions[],
                                                   size_t* count);

/// Definitions of groups.
SU_EXPORT SU_RESULT SUModelGetNumGroupDefinitions(SUModelRef model, size_t* count);
SU_EXPORT SU_RESULT SUModelGetGroupDefinitions(SUModelRef model, size_t len,
                                               SUComponentDefinitionRef definitions[],
                                               size_t* count);

SU_EXPORT SU_RESULT SUModelGetNumMaterials(SUModelRef model, size_t* count);
SU_EXPORT SU_RESULT SUModelGetMaterials(SUModelRef model, size_t len, SUMaterialRef materials[],
                                        size_t* count);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_MODEL_H_
