#include "scene_gltf.h"

#include <skptext/utf.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "gltf_builder.h"
#include "scene_axes.h"
#include "scene_materials.h"

namespace gltf {
namespace {

using Importing::Geometry;
using Importing::SceneContainer;

// A unit normal in glTF's frame; a degenerate one becomes up, counted in `repaired`.
Vec3 UnitNormal(const Importing::Vertex& v, size_t& repaired) {
    const Vec3 n = SceneToGltf(v.nx, v.ny, v.nz);
    const double length =
        std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
    if (!(length > 1e-12) || !std::isfinite(length)) {
        ++repaired;
        return {0, 1, 0};
    }
    return {float(n[0] / length), float(n[1] / length), float(n[2] / length)};
}

// Whole triangles with every index in range, each with two indices swapped (the frame change is
// a reflection); empty with a warning when an index is out of range.
std::vector<uint32_t> GltfTriangles(const Geometry& geometry, size_t id,
                                    std::vector<std::string>& warnings) {
    const size_t whole = geometry.indices.size() / 3 * 3;
    std::vector<uint32_t> indices(whole);
    for (size_t t = 0; t < whole; t += 3) {
        indices[t] = geometry.indices[t];
        indices[t + 1] = geometry.indices[t + 2];
        indices[t + 2] = geometry.indices[t + 1];
    }
    const auto outside = [&](uint32_t index) { return index >= geometry.vertices.size(); };
    if (std::any_of(indices.begin(), indices.end(), outside)) {
        warnings.push_back("geometry " + std::to_string(id) +
                           " has an index past its vertices; left out");
        return {};
    }
    if (whole != geometry.indices.size())
        warnings.push_back("geometry " + std::to_string(id) +
                           " ends in a partial triangle; the rest is written");
    return indices;
}

bool Textured(const tinygltf::Model& model, int material) {
    return material >= 0 && static_cast<size_t>(material) < model.materials.size() &&
           model.materials[material].pbrMetallicRoughness.baseColorTexture.index >= 0;
}

// The mesh of geometry `id` with one primitive per surface in `surfaces`; -1 when it has no
// triangle to draw.
int AddGeometryMesh(const SceneContainer& scene, size_t id, const std::vector<int>& surfaces,
                    GltfBuilder& builder, std::vector<std::string>& warnings) {
    const Geometry& geometry = scene.geometryLibrary[id];
    const std::vector<uint32_t> indices = GltfTriangles(geometry, id, warnings);
    if (indices.empty()) return -1;

    std::vector<Vec3> positions, normals;
    std::vector<Vec2> uvs;
    size_t repaired = 0;
    for (const Importing::Vertex& v : geometry.vertices) {
        positions.push_back(SceneToGltf(v.x, v.y, v.z));
        normals.push_back(UnitNormal(v, repaired));
        uvs.push_back({v.u, v.v});  // the scene's v already counts from the top, as glTF's does
    }
    if (repaired > 0)
        warnings.push_back("geometry " + std::to_string(id) + ": " + std::to_string(repaired) +
                           " normals of zero length written as up");

    std::map<std::string, int> attributes{{"POSITION", builder.AddVec3(positions, true)},
                                          {"NORMAL", builder.AddVec3(normals, false)}};
    const auto textured = [&](int s) {
        return Textured(builder.Model(), scene.surfaces[s].GetMaterialId());
    };
    if (std::any_of(surfaces.begin(), surfaces.end(), textured))
        attributes["TEXCOORD_0"] = builder.AddVec2(uvs);
    const int indexAccessor = builder.AddIndices(indices, geometry.vertices.size());

    tinygltf::Mesh mesh;
    for (const int s : surfaces) {
        tinygltf::Primitive primitive;
        primitive.attributes = attributes;
        primitive.indices = indexAccessor;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        const int material = scene.surfaces[s].GetMaterialId();
        if (material >= 0 && static_cast<size_t>(material) < scene.sceneMaterials.size())
            primitive.material = material;
        mesh.primitives.push_back(std::move(primitive));
    }
    const int firstMaterial = mesh.primitives.front().material;
    mesh.name = firstMaterial >= 0 ? builder.Model().materials[firstMaterial].name
                                   : "geometry " + std::to_string(id);
    return builder.AddMesh(std::move(mesh));
}

// Mesh index per geometry, -1 for those without one.
std::vector<int> AddMeshes(const SceneContainer& scene, GltfBuilder& builder,
                           std::vector<std::string>& warnings) {
    std::vector<std::vector<int>> surfacesOf(scene.geometryLibrary.size());
    for (size_t s = 0; s < scene.surfaces.size(); ++s) {
        const int g = scene.surfaces[s].GetGeometryId();
        if (g >= 0 && static_cast<size_t>(g) < surfacesOf.size())
            surfacesOf[g].push_back(static_cast<int>(s));
        else
            warnings.push_back("surface " + std::to_string(s) + " draws no geometry; left out");
    }
    std::vector<int> meshOf(scene.geometryLibrary.size(), -1);
    for (size_t g = 0; g < surfacesOf.size(); ++g)
        if (!surfacesOf[g].empty())
            meshOf[g] = AddGeometryMesh(scene, g, surfacesOf[g], builder, warnings);
    return meshOf;
}

// The node for scene node `n`: its mesh, or one child per mesh when it draws several.
int AddNode(const SceneContainer& scene, size_t n, const std::vector<int>& meshOf,
            GltfBuilder& builder) {
    const Importing::Node& source = scene.nodes[n];
    std::vector<int> meshes;
    for (const int s : source.surfaceIndices) {
        if (s < 0 || static_cast<size_t>(s) >= scene.surfaces.size()) continue;
        const int g = scene.surfaces[s].GetGeometryId();
        const int mesh = g >= 0 && static_cast<size_t>(g) < meshOf.size() ? meshOf[g] : -1;
        if (mesh >= 0 && std::find(meshes.begin(), meshes.end(), mesh) == meshes.end())
            meshes.push_back(mesh);
    }
    tinygltf::Node node;
    node.name = skptext::ToUtf8(source.GetName());
    node.matrix = GltfMatrix(source.GetLocalTransform());
    if (meshes.size() == 1) {
        node.mesh = meshes.front();
    } else {
        for (const int mesh : meshes) {
            tinygltf::Node child;
            child.name = builder.Model().meshes[mesh].name;
            child.mesh = mesh;
            node.children.push_back(builder.AddNode(std::move(child)));
        }
    }
    return builder.AddNode(std::move(node));
}

}  // namespace

GltfDocument SceneToGltf(const SceneContainer& scene, std::vector<std::string>& warnings) {
    GltfBuilder builder("skpimport");
    AddSceneMaterials(scene, builder, warnings);
    const std::vector<int> meshOf = AddMeshes(scene, builder, warnings);

    // The root first: a viewer that shows one node shows the model.
    std::vector<size_t> order;
    if (scene.rootNodeIndex >= 0 && static_cast<size_t>(scene.rootNodeIndex) < scene.nodes.size())
        order.push_back(static_cast<size_t>(scene.rootNodeIndex));
    for (size_t n = 0; n < scene.nodes.size(); ++n)
        if (order.empty() || n != order.front()) order.push_back(n);
    for (const size_t n : order) builder.AddSceneRoot(AddNode(scene, n, meshOf, builder));
    return builder.Finish();
}

}  // namespace gltf
