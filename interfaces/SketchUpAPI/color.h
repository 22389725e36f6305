// Colours.
#ifndef SKETCHUP_COLOR_H_
#define SKETCHUP_COLOR_H_

#include <SketchUpAPI/common.h>

typedef unsigned char SUByte;

/// A colour of four 8-bit channels; alpha 255 is opaque.
typedef struct {
    SUByte red;
    SUByte green;
    SUByte blue;
    SUByte alpha;
} SUColor;

#endif  // SKETCHUP_COLOR_H_
