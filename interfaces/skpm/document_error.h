// Extras of our SketchUp stand-in library, beyond the SketchUp C API.
#ifndef SKPM_DOCUMENT_ERROR_H_
#define SKPM_DOCUMENT_ERROR_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Why the last SUModelCreateFromFile (or SKPMModelCreateFromFileWithoutFaults) on the calling
/// thread failed, naming the place: a JSON-pointer-like path into the document and what is wrong
/// there, e.g. "/definitions/3/entities/faces/2: loop repeats a point". Empty after a success or
/// before any call. The text is UTF-8 and stays valid until the thread's next open.
SU_EXPORT const char* SKPMGetLastOpenError(void);

/// How many objects the callers of this process have created and not yet released: models,
/// strings, typed values, mesh helpers and image reps. A caller that releases all it makes finds
/// the count where it was before it began. Safe from any thread.
SU_EXPORT size_t SKPMGetLiveObjectCount(void);

/// Opens a model document as SUModelCreateFromFile does, with its fault injection left out: every
/// call answers what the document holds, while SKPMGetFailingCalls still names what its "fail"
/// lists would make fail. For tools that describe documents.
SU_EXPORT SU_RESULT SKPMModelCreateFromFileWithoutFaults(SUModelRef* model, const char* file_path);

/// The C API functions that the document's "fail" lists make fail when asked about `object`, the
/// ptr of a reference to a model, layer, material, texture, component definition, face, group,
/// component instance or image. Answers how many there are and fills names[0..len) with the first
/// of them, in a fixed order; the names are valid for the life of the program. A model opened
/// with SKPMModelCreateFromFileWithoutFaults answers the lists it left out.
SU_EXPORT size_t SKPMGetFailingCalls(const void* object, size_t len, const char* names[]);

#ifdef __cplusplus
}
#endif

#endif  // SKPM_DOCUMENT_ERROR_H_
