// From the host scene's left-handed frame (x east, y up, z north) to glTF's right-handed one
// (x east, y up, z south): z is negated. A reflection reverses every triangle's orientation, so
// the writer also swaps two indices of each triangle to keep outward faces front-facing.
#pragma once

#include <Importing/Transform.h>

#include <vector>

#include "gltf_builder.h"

namespace gltf {

inline Vec3 SceneToGltf(float x, float y, float z) {
    return {x, y, -z};
}

// The node matrix, column-major as glTF stores it. The scene's row-vector matrix M (translation
// in row 3) read row by row is that layout already; the change of frame S M S with
// S = diag(1, 1, -1, 1) negates the entries with exactly one index equal to 2. Empty for the
// identity, which glTF leaves out.
std::vector<double> GltfMatrix(const Importing::Transform& transform);

}  // namespace gltf
