// Reference types that do not belong to the model.
#ifndef SKETCHUP_DEFS_H_
#define SKETCHUP_DEFS_H_

#include <SketchUpAPI/common.h>

/// A string object, created with SUStringCreate and released by its creator with SUStringRelease.
DEFINE_SU_TYPE(SUStringRef)

#endif  // SKETCHUP_DEFS_H_
