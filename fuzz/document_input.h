// One fuzz input for the SketchUp stand-in: the bytes are opened as a model document and
// everything cheap to reach is read back, each face's mesh helper and each texture's image rep
// included, with the answers checked against each other.
#pragma once

#include <SketchUpAPI/common.h>

#include <string>
#include <string_view>
#include <vector>

#include "temp_folder.h"

namespace skpfuzz {

struct DocumentOutcome {
    SUResult open = SU_ERROR_NONE;
    std::string reason;                   // SKPMGetLastOpenError() after a refusal
    size_t faces = 0;                     // faces whose mesh helper was read
    size_t triangles = 0;                 // over those faces
    size_t textures = 0;                  // textures whose image rep was read
    std::vector<std::string> violations;  // answers that contradict each other; must stay empty
};

// Writes `bytes` into `folder` as a document, opens, walks and releases it. Throws only when the
// input cannot be written.
DocumentOutcome ReadDocumentInput(std::string_view bytes, const testsupport::TempFolder& folder);

}  // namespace skpfuzz
