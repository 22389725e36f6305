// Points and vectors, in inches.
#ifndef SKETCHUP_GEOMETRY_H_
#define SKETCHUP_GEOMETRY_H_

#include <SketchUpAPI/common.h>

struct SUPoint3D {
    double x;
    double y;
    double z;
};

struct SUVector3D {
    double x;
    double y;
    double z;
};

#endif  // SKETCHUP_GEOMETRY_H_
