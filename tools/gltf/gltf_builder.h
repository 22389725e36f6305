// Builds a glTF document: one buffer holding every accessor's data, bufferViews and accessors
// made to satisfy the validator (aligned, targeted, POSITION with bounds), a shared sampler.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gltf_document.h"

namespace gltf {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;

class GltfBuilder {
public:
    // asset.version "2.0" and the given generator; one scene, made the default.
    explicit GltfBuilder(const std::string& generator);

    // Accessors of tightly packed FLOAT VEC3 / VEC2 data; `bounds` adds min and max (required
    // for POSITION). Each answers the accessor's index.
    int AddVec3(const std::vector<Vec3>& values, bool bounds);
    int AddVec2(const std::vector<Vec2>& values);
    // Triangle indices: UNSIGNED_SHORT when every vertex index fits below the restart value
    // 65535, UNSIGNED_INT otherwise.
    int AddIndices(const std::vector<uint32_t>& indices, size_t vertexCount);

    // An image (its bytes placed when written) and a texture sampling it with the shared
    // repeating, mipmapped sampler; answers the texture's index.
    int AddTexture(EncodedImage image, const std::string& name);

    int AddMaterial(tinygltf::Material material);
    int AddMesh(tinygltf::Mesh mesh);
    int AddNode(tinygltf::Node node);
    // Lists a node among the scene's roots.
    void AddSceneRoot(int node);

    tinygltf::Model& Model() { return document_.model; }
    // The finished document; the builder is empty afterwards.
    GltfDocument Finish();

private:
    int AddBufferView(const void* data, size_t bytes, int target);
    int AddAccessor(int bufferView, int componentType, int type, size_t count);

    GltfDocument document_;
    int sampler_ = -1;
};

}  // namespace gltf
