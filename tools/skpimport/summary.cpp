#include "summary.h"

#include <cstdio>

namespace skpimport {

SceneCounts CountScene(const Importing::SceneContainer& scene) {
    SceneCounts counts;
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
                  "nodes       %zu\nmaterials   %zu\ntextures    %zu\nsurfaces    %zu\n"
                  "geometries  %zu\nvertices    %llu\ntriangles   %llu\ntime        %.1f ms\n",
                  counts.nodes, counts.materials, counts.textures, counts.surfaces,
                  counts.geometries, static_cast<unsigned long long>(counts.vertices),
                  static_cast<unsigned long long>(counts.triangles), milliseconds);
    return text;
}

}  // namespace skpimport
