// The short human summary of a loaded scene.
#pragma once

#include <Importing/SceneContainer.h>

#include <cstdint>
#include <string>

namespace skpimport {

struct SceneCounts {
    std::string source;    // the last source description the plug-in gave, e.g. its version
    std::string rootNode;  // the name of the root node, when there is one
    size_t nodes = 0, materials = 0, textures = 0, surfaces = 0, geometries = 0;
    uint64_t vertices = 0, triangles = 0;
};

SceneCounts CountScene(const Importing::SceneContainer& scene);

// Several "name  value" lines, the load time in milliseconds last.
std::string SummaryText(const SceneCounts& counts, double milliseconds);

}  // namespace skpimport
