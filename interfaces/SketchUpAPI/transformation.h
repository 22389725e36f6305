// Placement transforms.
#ifndef SKETCHUP_TRANSFORMATION_H_
#define SKETCHUP_TRANSFORMATION_H_

#include <SketchUpAPI/common.h>

/// A 4x4 matrix in column-major order: values[0..2] the x axis, values[4..6] the y axis,
/// values[8..10] the z axis, values[12..14] the translation (inches) and values[15] the weight.
struct SUTransformation {
    double values[16];
};

#endif  // SKETCHUP_TRANSFORMATION_H_
