#include "gltf_builder.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gltf {
namespace {

// Accessor data starts on a 4-byte boundary, which every component type here divides.
void PadToFour(std::vector<unsigned char>& data) {
    data.resize((data.size() + 3) / 4 * 4, 0);
}

template <size_t N>
void SetBounds(tinygltf::Accessor& accessor, const std::vector<std::array<float, N>>& values) {
    std::array<float, N> low = values.front(), high = values.front();
    for (const auto& value : values) {
        for (size_t k = 0; k < N; ++k) {
            low[k] = std::min(low[k], value[k]);
            high[k] = std::max(high[k], value[k]);
        }
    }
    // Doubles made from the floats, so that the written bounds read back as the data's values.
    accessor.minValues.assign(low.begin(), low.end());
    accessor.maxValues.assign(high.begin(), high.end());
}

}  // namespace

GltfBuilder::GltfBuilder(const std::string& generator) {
    tinygltf::Model& model = document_.model;
    model.asset.version = "2.0";
    model.asset.generator = generator;
    model.buffers.emplace_back();
    model.scenes.emplace_back();
    model.defaultScene = 0;
}

int GltfBuilder::AddBufferView(const void* data, size_t bytes, int target) {
    std::vector<unsigned char>& buffer = document_.model.buffers[0].data;
    PadToFour(buffer);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.size();
    view.byteLength = bytes;
    view.target = target;
    buffer.resize(buffer.size() + bytes);
    if (bytes > 0) std::memcpy(buffer.data() + view.byteOffset, data, bytes);
    document_.model.bufferViews.push_back(std::move(view));
    return static_cast<int>(document_.model.bufferViews.size() - 1);
}

int GltfBuilder::AddAccessor(int bufferView, int componentType, int type, size_t count) {
    tinygltf::Accessor accessor;
    accessor.bufferView = bufferView;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    document_.model.accessors.push_back(std::move(accessor));
    return static_cast<int>(document_.model.accessors.size() - 1);
}

int GltfBuilder::AddVec3(const std::vector<Vec3>& values, bool bounds) {
    const int view =
        AddBufferView(values.data(), values.size() * sizeof(Vec3), TINYGLTF_TARGET_ARRAY_BUFFER);
    const int index =
        AddAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, values.size());
    if (bounds && !values.empty()) SetBounds(document_.model.accessors[index], values);
    return index;
}

int GltfBuilder::AddVec2(const std::vector<Vec2>& values) {
    const int view =
        AddBufferView(values.data(), values.size() * sizeof(Vec2), TINYGLTF_TARGET_ARRAY_BUFFER);
    return AddAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, values.size());
}

int GltfBuilder::AddIndices(const std::vector<uint32_t>& indices, size_t vertexCount) {
    int view = -1, componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    if (vertexCount <= 65535) {
        const std::vector<uint16_t> narrow(indices.begin(), indices.end());
        view = AddBufferView(narrow.data(), narrow.size() * sizeof(uint16_t),
                             TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    } else {
        view = AddBufferView(indices.data(), indices.size() * sizeof(uint32_t),
                             TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    }
    return AddAccessor(view, componentType, TINYGLTF_TYPE_SCALAR, indices.size());
}

int GltfBuilder::AddTexture(EncodedImage image, const std::string& name) {
    tinygltf::Model& model = document_.model;
    if (sampler_ < 0) {
        tinygltf::Sampler sampler;
        sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        sampler.wrapS = sampler.wrapT = TINYGLTF_TEXTURE_WRAP_REPEAT;
        model.samplers.push_back(sampler);
        sampler_ = static_cast<int>(model.samplers.size() - 1);
    }
    tinygltf::Image entry;
    entry.name = name;
    entry.mimeType = image.mimeType;
    model.images.push_back(std::move(entry));
    document_.images.push_back(std::move(image));

    tinygltf::Texture texture;
    texture.sampler = sampler_;
    texture.source = static_cast<int>(model.images.size() - 1);
    model.textures.push_back(std::move(texture));
    return static_cast<int>(model.textures.size() - 1);
}

int GltfBuilder::AddMaterial(tinygltf::Material material) {
    document_.model.materials.push_back(std::move(material));
    return static_cast<int>(document_.model.materials.size() - 1);
}

int GltfBuilder::AddMesh(tinygltf::Mesh mesh) {
    document_.model.meshes.push_back(std::move(mesh));
    return static_cast<int>(document_.model.meshes.size() - 1);
}

int GltfBuilder::AddNode(tinygltf::Node node) {
    document_.model.nodes.push_back(std::move(node));
    return static_cast<int>(document_.model.nodes.size() - 1);
}

void GltfBuilder::AddSceneRoot(int node) {
    document_.model.scenes[0].nodes.push_back(node);
}

GltfDocument GltfBuilder::Finish() {
    GltfDocument done = std::move(document_);
    document_ = GltfDocument();
    sampler_ = -1;
    return done;
}

}  // namespace gltf
