// Attribute dictionaries: named collections of typed values attached to an entity.
#ifndef SKETCHUP_MODEL_ATTRIBUTE_DICTIONARY_H_
#define SKETCHUP_MODEL_ATTRIBUTE_DICTIONARY_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// *name must be a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SUAttributeDictionaryGetName(SUAttributeDictionaryRef dictionary,
                                                 SUStringRef* name);

SU_EXPORT SU_RESULT SUAttributeDictionaryGetNumKeys(SUAttributeDictionaryRef dictionary,
                                                    size_t* count);

/// Fills keys[0..len), each a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SUAttributeDictionaryGetKeys(SUAttributeDictionaryRef dictionary, size_t len,
                                                 SUStringRef keys[], size_t* count);

/// Copies the value stored under key into *value_out, a typed value made by SUTypedValueCreate;
/// SU_ERROR_NO_DATA when the key is missing.
SU_EXPORT SU_RESULT SUAttributeDictionaryGetValue(SUAttributeDictionaryRef dictionary,
                                                  const char* key, SUTypedValueRef* value_out);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_ATTRIBUTE_DICTIONARY_H_
