// The wide-character functions of the Microsoft C runtime the plug-in uses, for WCHAR = char16_t,
// with Microsoft conventions: in the wide printf family %s and %ls take a WCHAR string, %S and %hs
// a narrow char string. Supported: %d %i %u %x %X %o %c %s %S %hs %ls %p %%, %f %F %e %E %g %G,
// flags - 0 + space #, width and precision (also *), length modifiers hh h l ll z j t I64.
// Output never depends on the process locale.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "windows.h"

extern "C" {

// The number of characters the output would have, without the NUL; -1 for a bad format.
int _vscwprintf(const WCHAR* format, va_list args);

// Writes the output and a NUL into buffer; returns the length without the NUL. When it does not
// fit (or the format is bad) buffer becomes the empty string and the result is -1.
int vswprintf_s(WCHAR* buffer, size_t sizeOfBuffer, const WCHAR* format, va_list args);
int swprintf_s(WCHAR* buffer, size_t sizeOfBuffer, const WCHAR* format, ...);

// Splits a path into drive ("X:" when the path starts with a letter and ':'), folder (up to and
// including the last '\\' or '/'), file name and extension (from the last '.' of the file-name
// part; ".png" gives name "" and extension ".png"). Each output may be null with size 0.
// Returns 0, or EINVAL (null path, null output with non-zero size or the reverse) or ERANGE (an
// output too small; all outputs become empty strings).
int _wsplitpath_s(const WCHAR* path, WCHAR* drive, size_t driveNumberOfElements, WCHAR* dir,
                  size_t dirNumberOfElements, WCHAR* fname, size_t nameNumberOfElements, WCHAR* ext,
                  size_t extNumberOfElements);

}  // extern "C"
