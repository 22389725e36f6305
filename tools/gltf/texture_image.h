// Texture files as glTF images: PNG and JPEG are kept byte for byte, anything else the stb decoder
// reads (BMP above all) is converted to PNG, since glTF allows only those two.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gltf_document.h"

namespace gltf {

// The file's image, or nothing with `problem` saying why (missing, unreadable, not an image).
std::optional<EncodedImage> ReadTextureImage(const std::string& path, std::string& problem);

// Whether the encoded image has a pixel that is not fully opaque (a cut-out such as foliage).
bool HasTransparentPixels(const EncodedImage& image);

// The same for bytes already in memory.
std::optional<EncodedImage> EncodeTextureImage(std::vector<unsigned char> bytes,
                                               std::string& problem);

}  // namespace gltf
