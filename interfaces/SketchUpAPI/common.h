// Result codes, reference-type machinery and basic types shared by every SketchUp C API header.
#ifndef SKETCHUP_COMMON_H_
#define SKETCHUP_COMMON_H_

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#if defined(GLOBAL_IMPORT_EXPORT)
#define SU_EXPORT __declspec(dllexport)
#else
#define SU_EXPORT __declspec(dllimport)
#endif
#else
#define SU_EXPORT __attribute__((visibility("default")))
#endif

/// Every function answers one of these. Outputs are written only when the answer is
/// SU_ERROR_NONE.
enum SUResult {
    SU_ERROR_NONE = 0,
    SU_ERROR_NULL_POINTER_INPUT,
    SU_ERROR_INVALID_INPUT,
    SU_ERROR_NULL_POINTER_OUTPUT,
    SU_ERROR_INVALID_OUTPUT,
    SU_ERROR_OVERWRITE_VALID,
    SU_ERROR_GENERIC,
    SU_ERROR_SERIALIZATION,
    SU_ERROR_OUT_OF_RANGE,
    SU_ERROR_NO_DATA,
    SU_ERROR_INSUFFICIENT_SIZE,
    SU_ERROR_UNKNOWN_EXCEPTION,
    SU_ERROR_MODEL_INVALID,
    SU_ERROR_MODEL_VERSION,
    SU_ERROR_LAYER_LOCKED,
    SU_ERROR_DUPLICATE,
    SU_ERROR_PARTIAL_SUCCESS,
    SU_ERROR_UNSUPPORTED,
    SU_ERROR_INVALID_ARGUMENT,
    SU_ERROR_ENTITY_LOCKED,
    SU_ERROR_INVALID_OPERATION,
};

#define SU_RESULT enum SUResult

/// Declares a reference type: a struct of its own holding one opaque pointer, so that references
/// of different kinds cannot be mixed up by the compiler.
#define DEFINE_SU_TYPE(TYPE) \
    typedef struct {         \
        void* ptr;           \
    } TYPE;

/// The null reference, for initialising any reference type.
#ifdef __cplusplus
#define SU_INVALID \
    { nullptr }
#else
#define SU_INVALID \
    { 0 }
#endif

#define SUIsValid(VALUE) ((VALUE).ptr != 0)
#define SUIsInvalid(VALUE) ((VALUE).ptr == 0)
#define SUSetInvalid(VALUE) ((VALUE).ptr = 0)
#define SUAreEqual(VALUE1, VALUE2) ((VALUE1).ptr == (VALUE2).ptr)

/// One UTF-16 code unit.
#if defined(__APPLE__)
#include <CoreFoundation/CoreFoundation.h>
typedef UniChar unichar;
#elif defined(_WIN32)
typedef wchar_t unichar;
#else
typedef unsigned short unichar;
#endif

#endif  // SKETCHUP_COMMON_H_
