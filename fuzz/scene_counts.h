// What a glTF model written from a scene must hold of that scene, by the writer's promises
// (tools/gltf/scene_gltf.h, scene_materials.h).
#pragma once

#include <Importing/SceneContainer.h>
#include <tiny_gltf.h>

#include <string>
#include <vector>

namespace skpfuzz {

// One line per disagreement: the number of materials or of scene roots; the meshes, compared as a
// whole with the geometries that a surface draws and whose whole triangles all name their
// vertices (one mesh each, with a primitive per such surface, the geometry's vertices and
// triangles); a material with a base colour texture whose scene material draws none, or without
// one where the load exported a texture file for it.
std::vector<std::string> SceneCountViolations(const Importing::SceneContainer& scene,
                                              const tinygltf::Model& model);

}  // namespace skpfuzz
