#include "summary.h"

#include <skptext/utf.h>

#include <cstdio>

namespace skpimport {

SceneCounts CountScene(const Importing::SceneContainer& scene) {
    SceneCounts counts;
    if (!scene.sourceDescriptions.empty())
        counts.source = skptext::ToUtf8(scene.sourceDescriptions.back());
    if (scene.rootNodeIndex >= 0 && static_cast<size_t>(scene.rootNodeIndex) < scene.nodes.size()) {
        counts.rootNode = skptext::ToUtf8(scene.nodes[scene.rootNodeIndex].GetName());
    }
    counts.nodes = scene.nodes.size();
    counts.materials = scene.sceneMaterials.size();
    counts.textures = scene.textureLibrary.size();
    counts.surfaces = scene.surfaces.size();
    counts.geometries = scene.geometryLibrary.size();
    for (const Importing::Geometry& geometry : scene.geometryLibrary) {
        counts.vertices += geometry.vertices.size();
        counts.triangles += geometry.indices.size() / 3;
    }
    return counts;
}

std::string SummaryText(const SceneCounts& counts, double milliseconds) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "source      %s\nroot node   %s\n"
                  "nodes       %zu\nmaterials   %zu\ntextures    %zu\nsurfaces    %zu\n"
                  "geometries  %zu\nvertices    %llu\ntriangles   %llu\ntime        %.1f ms\n",
                  counts.source.c_str(), counts.rootNode.c_str(), counts.nodes, counts.materials,
                  counts.textures, counts.surfaces, counts.geometries,
                  static_cast<unsigned long long>(counts.vertices),
                  static_cast<unsigned long long>(counts.triangles), milliseconds);
    return text;
}

}  // namespace skpimport
