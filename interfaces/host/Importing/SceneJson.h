// Writes a scene container as the host tool's scene JSON. Numbers are written so that every
// single-precision value reads back exactly; names are converted from UTF-16 to UTF-8.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "HostExport.h"
#include "Importing/SceneContainer.h"

namespace Importing {

struct SceneJsonInfo {
    std::optional<int> result;          // null when the load raised instead of returning
    std::string report;                 // UTF-8
    std::optional<std::string> raised;  // the exception's type and message, when it raised
};

// geometryData false: per geometry only counts and bounds, no vertices and indices. Texture
// sizes are read from the files now (-1 when a file is missing). Throws std::ios_base::failure
// when the stream fails.
HOST_SCENE_API void WriteSceneJson(std::ostream& out, const SceneContainer& scene,
                                   const SceneJsonInfo& info, bool geometryData);

}  // namespace Importing
