// Typed values: one value of one of several types, created and released by the caller.
#ifndef SKETCHUP_MODEL_TYPED_VALUE_H_
#define SKETCHUP_MODEL_TYPED_VALUE_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

enum SUTypedValueType {
    SUTypedValueType_Empty = 0,
    SUTypedValueType_Byte,
    SUTypedValueType_Short,
    SUTypedValueType_Int32,
    SUTypedValueType_Float,
    SUTypedValueType_Double,
    SUTypedValueType_Bool,
    SUTypedValueType_Color,
    SUTypedValueType_Time,
    SUTypedValueType_String,
    SUTypedValueType_Vector3D,
    SUTypedValueType_Array,
};

/// Creates an empty typed value. *typed_value must be invalid on entry.
SU_EXPORT SU_RESULT SUTypedValueCreate(SUTypedValueRef* typed_value);

/// Releases a typed value made by SUTypedValueCreate and sets *typed_value invalid; a reference
/// that is not a live typed value answers SU_ERROR_INVALID_INPUT.
SU_EXPORT SU_RESULT SUTypedValueRelease(SUTypedValueRef* typed_value);

SU_EXPORT SU_RESULT SUTypedValueGetType(SUTypedValueRef typed_value, enum SUTypedValueType* type);

/// Each getter answers SU_ERROR_NO_DATA when the value holds another type.
SU_EXPORT SU_RESULT SUTypedValueGetBool(SUTypedValueRef typed_value, bool* bool_value);
SU_EXPORT SU_RESULT SUTypedValueGetInt32(SUTypedValueRef typed_value, int32_t* int32_value);
SU_EXPORT SU_RESULT SUTypedValueGetDouble(SUTypedValueRef typed_value, double* double_value);

/// *string_value must be a string made by SUStringCreate (else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SUTypedValueGetString(SUTypedValueRef typed_value, SUStringRef* string_value);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_TYPED_VALUE_H_
