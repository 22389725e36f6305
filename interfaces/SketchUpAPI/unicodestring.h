// String objects. A string is created by the caller, filled by getters, and released by the
// caller. Lengths are in code units and exclude the terminating NUL.
#ifndef SKETCHUP_UNICODESTRING_H_
#define SKETCHUP_UNICODESTRING_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Creates an empty string. *out_string must be invalid on entry (else SU_ERROR_OVERWRITE_VALID).
SU_EXPORT SU_RESULT SUStringCreate(SUStringRef* out_string);

/// Creates a string from NUL-terminated UTF-8 (SU_ERROR_INVALID_INPUT if it is not UTF-8).
SU_EXPORT SU_RESULT SUStringCreateFromUTF8(SUStringRef* out_string, const char* char_array);

/// Creates a string from NUL-terminated UTF-16 (SU_ERROR_INVALID_INPUT if it is not UTF-16).
SU_EXPORT SU_RESULT SUStringCreateFromUTF16(SUStringRef* out_string, const unichar* char_array);

/// Releases a string made by SUStringCreate*; sets *string invalid. A reference that is not a
/// live string answers SU_ERROR_INVALID_INPUT.
SU_EXPORT SU_RESULT SUStringRelease(SUStringRef* string);

/// Number of UTF-8 bytes, without the terminator.
SU_EXPORT SU_RESULT SUStringGetUTF8Length(SUStringRef string, size_t* out_length);

/// Copies the text as UTF-8 plus a terminating NUL. char_array_length must be at least
/// length + 1, else SU_ERROR_INSUFFICIENT_SIZE and nothing is written. *copied_length receives
/// the number of bytes written, without the terminator.
SU_EXPORT SU_RESULT SUStringGetUTF8(SUStringRef string, size_t char_array_length,
                                    char out_char_array[], size_t* copied_length);

/// Number of UTF-16 code units, without the terminator.
SU_EXPORT SU_RESULT SUStringGetUTF16Length(SUStringRef string, size_t* out_length);

/// Copies the text as UTF-16 plus a terminating NUL. char_array_length must be at least
/// length + 1, else SU_ERROR_INSUFFICIENT_SIZE and nothing is written. *copied_length receives
/// the number of code units written, without the terminator.
SU_EXPORT SU_RESULT SUStringGetUTF16(SUStringRef string, size_t char_array_length,
                                     unichar out_char_array[], size_t* copied_length);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_UNICODESTRING_H_
