// The peer: Assimp reading the same city as glTF and flattening it into world-space meshes
// (aiProcess_PreTransformVertices), the work that matches the plug-in's flat scene.
#pragma once

#include <string>

#include "record.h"

namespace bench {

// Reads with no post-processing ("read s"), then flattens the scene it holds ("flatten s").
// Values also: "peak bytes", "vertices", "triangles"; triangles by material name (after the
// flattening). Throws std::runtime_error when Assimp cannot read the file.
Record MeasureAssimpReadThenFlatten(const std::string& gltfPath);

// Reads with the flattening in the same call ("together s"); other values as above.
Record MeasureAssimpTogether(const std::string& gltfPath);

}  // namespace bench
