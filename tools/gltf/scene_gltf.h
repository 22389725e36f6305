// The host scene as a glTF document: one mesh per geometry (one primitive per surface drawing it),
// one material per scene material, one node per scene node named as it is, the root first.
#pragma once

#include <Importing/SceneContainer.h>

#include <string>
#include <vector>

#include "gltf_document.h"

namespace gltf {

// Converts axes and winding (scene_axes.h). Geometries without triangles or drawn by no surface
// get no mesh; problems that leave something out (a texture that cannot be read, an index out
// of range) are described in `warnings`.
GltfDocument SceneToGltf(const Importing::SceneContainer& scene,
                         std::vector<std::string>& warnings);

}  // namespace gltf
