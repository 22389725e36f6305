// The model's rendering options: named typed values.
#ifndef SKETCHUP_MODEL_RENDERING_OPTIONS_H_
#define SKETCHUP_MODEL_RENDERING_OPTIONS_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

SU_EXPORT SU_RESULT SURenderingOptionsGetNumKeys(SURenderingOptionsRef rendering_options,
                                                 size_t* count);

/// Fills keys[0..len), each a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SURenderingOptionsGetKeys(SURenderingOptionsRef rendering_options, size_t len,
                                              SUStringRef keys[], size_t* count);

/// Copies the option named key into *value_out, a typed value made by SUTypedValueCreate;
/// SU_ERROR_NO_DATA when the option is not set.
SU_EXPORT SU_RESULT SURenderingOptionsGetValue(SURenderingOptionsRef rendering_options,
                                               const char* key, SUTypedValueRef* value_out);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_RENDERING_OPTIONS_H_
