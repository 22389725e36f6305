// One fuzz input for the plug-in: the bytes are loaded as a model file through
// Importing::SkpReader into a fresh scene, as the host does, and the scene is checked.
#pragma once

#include <Importing/SceneContainer.h>

#include <string>
#include <string_view>
#include <vector>

#include "temp_folder.h"

namespace skpfuzz {

struct LoadOutcome {
    int result = 0;                       // what LoadFromFile answered
    std::string raised;                   // what() of an exception the plug-in let through
    size_t geometries = 0;                // in the scene
    size_t triangles = 0;                 // over all geometries
    std::vector<std::string> violations;  // scene contents that cannot be right; must stay empty
};

// Writes `bytes` into `folder` and loads them into `scene`, which must be fresh; textures land in
// $TMPDIR, which the caller points at `folder`. The file is named as single-sided when the input's
// length is odd, so that both ways of emitting faces are reached. Exceptions that are not
// std::exception pass through.
LoadOutcome LoadInto(std::string_view bytes, const testsupport::TempFolder& folder,
                     Importing::SceneContainer& scene);

// The same into a scene of its own.
LoadOutcome LoadInput(std::string_view bytes, const testsupport::TempFolder& folder);

}  // namespace skpfuzz
