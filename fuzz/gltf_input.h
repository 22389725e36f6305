// One fuzz input for the output side: the bytes are loaded through the plug-in as load_input.h
// does, the scene is written as .glb and as .gltf with the project's glTF writer, and both files
// are read back through tinygltf and held to the writer's promises.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "load_input.h"

namespace skpfuzz {

struct GltfOutcome {
    LoadOutcome load;
    size_t meshes = 0;  // in the .glb read back
    size_t images = 0;  // in the .glb read back
    // The load's violations, then each written file's: one that cannot be written or read back, a
    // broken glTF rule (gltf_invariants.h), counts that disagree with the scene (scene_counts.h),
    // and the two formats disagreeing. Must stay empty.
    std::vector<std::string> violations;
};

// Whatever the load made of the bytes (a failed or cut-short load included) is written, into a
// folder `gltf` inside `folder`. Exceptions pass through.
GltfOutcome WriteAndReadBack(std::string_view bytes, const testsupport::TempFolder& folder);

}  // namespace skpfuzz
