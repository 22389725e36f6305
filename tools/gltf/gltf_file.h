// Writing a glTF document: .glb with the buffer and the images in the binary chunk, or .gltf with
// the buffer and the images as files beside it.
#pragma once

#include <optional>
#include <string>

#include "gltf_document.h"

namespace gltf {

enum class GltfFormat { Binary, Text };

// By the file's extension, case aside: .glb or .gltf; nothing for any other.
std::optional<GltfFormat> GltfFormatOf(const std::string& path);

// Writes `document` to `path` in the format its extension names. For .gltf the buffer goes to
// <stem>.bin and image i to <stem>_<i>.png or .jpg beside it, the stem reduced to characters a
// URI takes as they are. False with `error` when the path names no format or a file cannot be
// written.
bool WriteGltf(GltfDocument document, const std::string& path, std::string& error);

}  // namespace gltf
