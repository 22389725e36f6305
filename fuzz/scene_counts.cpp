#include "scene_counts.h"

#include <skptext/utf.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "gltf_readback.h"

namespace skpfuzz {

namespace {

// Primitives, vertices and triangles of one mesh.
using MeshShape = std::tuple<size_t, size_t, size_t>;

std::string Describe(const std::vector<MeshShape>& shapes) {
    std::string text = std::to_string(shapes.size()) + " (";
    for (const auto& [primitives, vertices, triangles] : shapes) {
        text += std::to_string(primitives) + "p/" + std::to_string(vertices) + "v/" +
                std::to_string(triangles) + "t ";
    }
    return text + ")";
}

// The meshes the writer promises: one per geometry drawn by a surface whose whole triangles name
// only its vertices.
std::vector<MeshShape> ExpectedMeshes(const Importing::SceneContainer& scene) {
    std::vector<size_t> drawnBy(scene.geometryLibrary.size(), 0);
    for (const Importing::Surface& surface : scene.surfaces) {
        const int g = surface.GetGeometryId();
        if (g >= 0 && static_cast<size_t>(g) < drawnBy.size()) ++drawnBy[g];
    }
    std::vector<MeshShape> shapes;
    for (size_t g = 0; g < scene.geometryLibrary.size(); ++g) {
        const Importing::Geometry& geometry = scene.geometryLibrary[g];
        const size_t whole = geometry.indices.size() / 3 * 3;
        const auto last = geometry.indices.begin() + static_cast<std::ptrdiff_t>(whole);
        const bool inRange = std::all_of(geometry.indices.begin(), last, [&](uint32_t index) {
            return index < geometry.vertices.size();
        });
        if (drawnBy[g] > 0 && whole > 0 && inRange)
            shapes.emplace_back(drawnBy[g], geometry.vertices.size(), whole / 3);
    }
    std::sort(shapes.begin(), shapes.end());
    return shapes;
}

std::vector<MeshShape> WrittenMeshes(const tinygltf::Model& model) {
    std::vector<MeshShape> shapes;
    for (const tinygltf::Mesh& mesh : model.meshes) {
        size_t vertices = 0, triangles = 0;
        if (!mesh.primitives.empty()) {
            const tinygltf::Primitive& first = mesh.primitives.front();
            const auto position = first.attributes.find("POSITION");
            if (position != first.attributes.end() &&
                static_cast<size_t>(position->second) < model.accessors.size())
                vertices = model.accessors[position->second].count;
            if (const auto indices = gltf::ReadIndices(model, first.indices))
                triangles = indices->size() / 3;
        }
        shapes.emplace_back(mesh.primitives.size(), vertices, triangles);
    }
    std::sort(shapes.begin(), shapes.end());
    return shapes;
}

// The DIFFUSE texture of the first surface drawing `material` with one; -1 when none has.
// Worked out here again, not taken from the glTF writer, so that a fault in the writer's own
// lookup shows as a violation instead of agreeing with itself.
int DiffuseTexture(const Importing::SceneContainer& scene, int material) {
    for (const Importing::Surface& surface : scene.surfaces) {
        if (surface.GetMaterialId() != material) continue;
        for (const auto& [name, value] : surface.GetMaps())
            if (name == u"DIFFUSE" && value >= 0) return value;
    }
    return -1;
}

void CheckTextures(const Importing::SceneContainer& scene, const tinygltf::Model& model,
                   std::vector<std::string>& violations) {
    for (size_t m = 0; m < model.materials.size() && m < scene.sceneMaterials.size(); ++m) {
        const int id = DiffuseTexture(scene, static_cast<int>(m));
        const bool exported =
            id >= 0 && static_cast<size_t>(id) < scene.textureLibrary.size() &&
            std::filesystem::is_regular_file(skptext::ToUtf8(scene.textureLibrary[id]));
        const bool textured = model.materials[m].pbrMetallicRoughness.baseColorTexture.index >= 0;
        if (textured && id < 0) {
            violations.push_back("material " + std::to_string(m) +
                                 " has a texture its scene material does not draw");
        } else if (exported && !textured) {
            violations.push_back("material " + std::to_string(m) + " lost its exported texture " +
                                 skptext::ToUtf8(scene.textureLibrary[id]));
        }
    }
}

}  // namespace

std::vector<std::string> SceneCountViolations(const Importing::SceneContainer& scene,
                                              const tinygltf::Model& model) {
    std::vector<std::string> violations;
    if (model.materials.size() != scene.sceneMaterials.size()) {
        violations.push_back(std::to_string(model.materials.size()) + " materials for " +
                             std::to_string(scene.sceneMaterials.size()) + " in the scene");
    }
    const size_t roots = model.scenes.empty() ? 0 : model.scenes.front().nodes.size();
    if (roots != scene.nodes.size()) {
        violations.push_back(std::to_string(roots) + " scene roots for " +
                             std::to_string(scene.nodes.size()) + " scene nodes");
    }
    const std::vector<MeshShape> expected = ExpectedMeshes(scene), written = WrittenMeshes(model);
    if (expected != written) {
        violations.push_back("meshes " + Describe(written) + " where the scene's geometries make " +
                             Describe(expected));
    }
    CheckTextures(scene, model, violations);
    return violations;
}

}  // namespace skpfuzz
