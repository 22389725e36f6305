// Reads an opened model back through the C API, as a consumer would, and records every answer that
// contradicts another (an index past the vertices, pixel data of the wrong size, ...).
#pragma once

#include <SketchUpAPI/model/defs.h>

#include "document_input.h"

namespace skpfuzz {

void WalkModel(SUModelRef model, DocumentOutcome& outcome);

}  // namespace skpfuzz
