// Library start-up and shut-down.
#ifndef SKETCHUP_INITIALIZE_H_
#define SKETCHUP_INITIALIZE_H_

#include <SketchUpAPI/common.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Call once before any other function; calls nest (each needs a matching SUTerminate).
SU_EXPORT void SUInitialize(void);

/// Matches one SUInitialize.
SU_EXPORT void SUTerminate(void);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_INITIALIZE_H_
