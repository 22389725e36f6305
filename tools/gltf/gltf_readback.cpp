#include "gltf_readback.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "glb_container.h"
#include "gltf_file.h"

namespace gltf {
namespace {

bool ReadBytes(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), {});
    return !file.bad();
}

bool LoadBinary(const std::string& path, tinygltf::TinyGLTF& loader, tinygltf::Model& model,
                std::string& error, std::string& warning) {
    std::vector<unsigned char> bytes;
    if (!ReadBytes(path, bytes)) {
        error = "cannot be read";
        return false;
    }
    if (const std::optional<std::string> problem = GlbContainerProblem(bytes)) {
        error = *problem;
        return false;
    }
    if (bytes.size() > UINT_MAX) {
        error = "too large for tinygltf";
        return false;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return loader.LoadBinaryFromMemory(&model, &error, &warning, bytes.data(),
                                       static_cast<unsigned int>(bytes.size()), folder);
}

}  // namespace

bool ReadGltfFile(const std::string& path, tinygltf::Model& model, std::string& problem) {
    tinygltf::TinyGLTF loader;
    std::string error, warning;
    const bool loaded = GltfFormatOf(path) == GltfFormat::Binary
                            ? LoadBinary(path, loader, model, error, warning)
                            : loader.LoadASCIIFromFile(&model, &error, &warning, path);
    if (!loaded) {
        problem = path + ": " + error;
        return false;
    }
    if (!warning.empty()) {
        problem = path + ": tinygltf warns: " + warning;
        return false;
    }
    return true;
}

std::optional<std::span<const unsigned char>> ViewBytes(const tinygltf::Model& model, int view) {
    if (view < 0 || static_cast<size_t>(view) >= model.bufferViews.size()) return std::nullopt;
    const tinygltf::BufferView& v = model.bufferViews[view];
    if (v.buffer < 0 || static_cast<size_t>(v.buffer) >= model.buffers.size()) return std::nullopt;
    const std::vector<unsigned char>& data = model.buffers[v.buffer].data;
    if (v.byteOffset > data.size() || v.byteLength > data.size() - v.byteOffset)
        return std::nullopt;
    return std::span<const unsigned char>(data.data() + v.byteOffset, v.byteLength);
}

std::optional<AccessorLayout> LayOut(const tinygltf::Model& model, int accessor) {
    if (accessor < 0 || static_cast<size_t>(accessor) >= model.accessors.size())
        return std::nullopt;
    const tinygltf::Accessor& a = model.accessors[accessor];
    const std::optional<std::span<const unsigned char>> view = ViewBytes(model, a.bufferView);
    const int component = tinygltf::GetComponentSizeInBytes(a.componentType);
    const int components = tinygltf::GetNumComponentsInType(a.type);
    if (!view || component <= 0 || components <= 0) return std::nullopt;
    AccessorLayout layout;
    layout.count = a.count;
    layout.elementBytes = static_cast<size_t>(component) * static_cast<size_t>(components);
    const size_t declaredStride = model.bufferViews[a.bufferView].byteStride;
    layout.stride = declaredStride != 0 ? declaredStride : layout.elementBytes;
    if (layout.stride < layout.elementBytes || a.byteOffset > view->size()) return std::nullopt;
    const size_t room = view->size() - a.byteOffset;
    if (a.count > 0 && (room < layout.elementBytes ||
                        (a.count - 1) > (room - layout.elementBytes) / layout.stride))
        return std::nullopt;
    layout.first = view->data() + a.byteOffset;
    return layout;
}

std::optional<std::vector<uint32_t>> ReadIndices(const tinygltf::Model& model, int accessor) {
    const std::optional<AccessorLayout> layout = LayOut(model, accessor);
    if (!layout || model.accessors[accessor].type != TINYGLTF_TYPE_SCALAR) return std::nullopt;
    const int type = model.accessors[accessor].componentType;
    if (type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
        type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
        type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT)
        return std::nullopt;
    std::vector<uint32_t> out(layout->count);
    for (size_t i = 0; i < layout->count; ++i) {
        const unsigned char* at = layout->first + i * layout->stride;
        if (type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE) {
            out[i] = *at;
        } else if (type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
            uint16_t value;
            std::memcpy(&value, at, sizeof value);
            out[i] = value;
        } else {
            std::memcpy(&out[i], at, sizeof out[i]);
        }
    }
    return out;
}

std::optional<std::vector<std::array<float, 3>>> ReadVec3(const tinygltf::Model& model,
                                                          int accessor) {
    const std::optional<AccessorLayout> layout = LayOut(model, accessor);
    if (!layout || model.accessors[accessor].type != TINYGLTF_TYPE_VEC3 ||
        model.accessors[accessor].componentType != TINYGLTF_COMPONENT_TYPE_FLOAT)
        return std::nullopt;
    std::vector<std::array<float, 3>> out(layout->count);
    for (size_t i = 0; i < layout->count; ++i)
        std::memcpy(out[i].data(), layout->first + i * layout->stride, sizeof out[i]);
    return out;
}

}  // namespace gltf
