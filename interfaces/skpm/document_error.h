// Extras of our SketchUp stand-in library, beyond the SketchUp C API.
#ifndef SKPM_DOCUMENT_ERROR_H_
#define SKPM_DOCUMENT_ERROR_H_

#include <SketchUpAPI/common.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Why the last SUModelCreateFromFile on the calling thread failed, naming the place: a
/// JSON-pointer-like path into the document and what is wrong there, e.g.
/// "/definitions/3/entities/faces/2: loop repeats a point". Empty after a success or before any
/// call. The text is UTF-8 and stays valid until the thread's next SUModelCreateFromFile.
SU_EXPORT const char* SKPMGetLastOpenError(void);

/// How many objects the callers of this process have created and not yet released: models,
/// strings, typed values, mesh helpers and image reps. A caller that releases all it makes finds
/// the count where it was before it began. Safe from any thread.
SU_EXPORT size_t SKPMGetLiveObjectCount(void);

#ifdef __cplusplus
}
#endif

#endif  // SKPM_DOCUMENT_ERROR_H_
