// A model document as glTF for other importers to load the same work as the plug-in: one shared
// mesh per component (or group) definition, one node per placement with its transform, groups
// and components nested as in the document, front sides only.
#pragma once

#include <SketchUpAPI/transformation.h>

#include <string>
#include <vector>

namespace skpmgen {

// Opens the model document at `modelPath` with the SketchUp library and writes it to `gltfPath`
// (.glb or .gltf). False with `error` when the document cannot be read or the file written.
bool WriteModelGltf(const std::string& modelPath, const std::string& gltfPath, std::string& error);

// A placement's transform (column-major, inches) as a glTF node matrix: the change of axes C
// applied as C M C^-1, the translation in metres;
// empty for the identity.
std::vector<double> GltfPlacementMatrix(const SUTransformation& transform);

}  // namespace skpmgen
