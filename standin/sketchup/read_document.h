// Reading a model document (see the model-document design note) into an immutable Model.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "objects.h"

namespace skpm {

// Largest model document accepted, so a hostile file cannot make the reader allocate without
// bound.
inline constexpr size_t kMaxDocumentBytes = size_t{1} << 30;

// Both throw DocumentRefusal (result and reason naming the place) on anything but a valid
// document. SU_ERROR_SERIALIZATION: the bytes are not a readable JSON text (missing or special
// file, too large, a SketchUp binary file, malformed JSON, repeated keys, too deep nesting);
// SU_ERROR_MODEL_VERSION: a format version other than 1; SU_ERROR_MODEL_INVALID: JSON that breaks
// the document's rules.
std::unique_ptr<Model> ReadModelFile(const std::string& utf8Path);
std::unique_ptr<Model> ReadModelDocument(std::string_view text,
                                         const std::filesystem::path& folder);

// Leaves the document's fault injection out of `model`: every call answers what the document
// holds, while each object's fail set still lists what its document named.
void DisarmFaults(Model& model);

}  // namespace skpm
