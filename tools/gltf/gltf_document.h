// A glTF document before it is written: the model, and the encoded bytes of its images kept apart
// so that the writer can place them in the binary chunk (.glb) or in files beside the JSON (.gltf).
#pragma once

#include <tiny_gltf.h>

#include <string>
#include <vector>

namespace gltf {

struct EncodedImage {
    std::vector<unsigned char> bytes;  // a whole PNG or JPEG file
    std::string mimeType;              // "image/png" or "image/jpeg"
};

struct GltfDocument {
    tinygltf::Model model;             // model.images carry names only, no data yet
    std::vector<EncodedImage> images;  // beside model.images
};

}  // namespace gltf
