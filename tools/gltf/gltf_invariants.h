// What must hold in every glTF model the writer produces, whatever the scene it came from.
#pragma once

#include <tiny_gltf.h>

#include <string>
#include <vector>

namespace gltf {

// One line per broken rule: a reference (scene node, node mesh or child, primitive material,
// accessor or indices, material texture, texture image or sampler, bufferView buffer) that does
// not resolve; an accessor past its bufferView or a bufferView past its buffer; a primitive that is
// not whole triangles, lacks POSITION or its bounds, has attributes of unequal counts or an index
// past its vertices; an image without decoded pixels or without the data it came from. Empty when
// the model is sound. Images must have been decoded (ReadGltfFile does).
std::vector<std::string> GltfInvariantViolations(const tinygltf::Model& model);

}  // namespace gltf
