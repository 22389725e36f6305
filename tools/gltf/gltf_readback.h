// Reading a written .glb or .gltf back through tinygltf, and its accessors' data, every offset
// checked: for tests and fuzzers that hold the writer to what it promises.
#pragma once

#include <tiny_gltf.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gltf {

// The file's model with its images decoded. A .glb container is checked first
// (glb_container.h), so that tinygltf never reads past it. False with `problem` when the file
// cannot be read, is refused, or tinygltf warns about it.
bool ReadGltfFile(const std::string& path, tinygltf::Model& model, std::string& problem);

// The bytes bufferView `view` covers; nothing when it or its buffer does not resolve or it reaches
// past the buffer's data.
std::optional<std::span<const unsigned char>> ViewBytes(const tinygltf::Model& model, int view);

// Where an accessor's elements lie within its bufferView.
struct AccessorLayout {
    const unsigned char* first = nullptr;
    size_t count = 0, stride = 0, elementBytes = 0;
};

// Nothing when the accessor, its bufferView or buffer does not resolve, its component type or type
// is unknown, its stride is shorter than an element, or its last element reaches past the view.
std::optional<AccessorLayout> LayOut(const tinygltf::Model& model, int accessor);

// SCALAR indices of unsigned components; nothing for another type or a layout that fails.
std::optional<std::vector<uint32_t>> ReadIndices(const tinygltf::Model& model, int accessor);

// FLOAT VEC3 values; nothing for another type or a layout that fails.
std::optional<std::vector<std::array<float, 3>>> ReadVec3(const tinygltf::Model& model,
                                                          int accessor);

}  // namespace gltf
