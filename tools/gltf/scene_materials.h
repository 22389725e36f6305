// The scene's materials as glTF materials, in the same order (scene material i is glTF material i).
#pragma once

#include <Importing/SceneContainer.h>

#include <string>
#include <vector>

#include "gltf_builder.h"

namespace gltf {

// Adds one material per scene material: the diffuse colour as base colour with the opacity as its
// alpha (BLEND below 1), the texture of the first surface that draws the material with a DIFFUSE
// map as base colour texture, and the settings glTF has no field for in extras. A texture that
// cannot be read is left out with a line in `warnings`.
void AddSceneMaterials(const Importing::SceneContainer& scene, GltfBuilder& builder,
                       std::vector<std::string>& warnings);

// The name glTF readers see in a material's extras for a scene surface type.
const char* SurfaceTypeName(int surfaceType);

}  // namespace gltf
