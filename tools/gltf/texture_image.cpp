#include "texture_image.h"

#include <skptext/file_path.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace gltf {
namespace {

bool StartsWith(const std::vector<unsigned char>& bytes, const char* magic, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

// Decodes with stb and encodes the pixels, with their own channel count, as PNG.
std::optional<EncodedImage> ConvertToPng(const std::vector<unsigned char>& bytes,
                                         std::string& problem) {
    if (bytes.size() > INT_MAX) {
        problem = "too large to convert";
        return std::nullopt;
    }
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                              &channels, 0),
        stbi_image_free);
    if (!pixels) {
        problem = std::string("not an image that can be read (") + stbi_failure_reason() + ")";
        return std::nullopt;
    }
    EncodedImage png{{}, "image/png"};
    if (stbi_write_png_to_func(AppendBytes, &png.bytes, width, height, channels, pixels.get(),
                               width * channels) == 0) {
        problem = "PNG encoding failed";
        return std::nullopt;
    }
    return png;
}

}  // namespace

bool HasTransparentPixels(const EncodedImage& image) {
    if (image.bytes.size() > INT_MAX) return false;
    int width = 0, height = 0, channels = 0;
    const auto* bytes = image.bytes.data();
    const int size = static_cast<int>(image.bytes.size());
    if (!stbi_info_from_memory(bytes, size, &width, &height, &channels)) return false;
    if (channels != 2 && channels != 4) return false;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes, size, &width, &height, &channels, 4), stbi_image_free);
    if (!pixels) return false;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels.get()[4 * i + 3] != 255) return true;
    }
    return false;
}

std::optional<EncodedImage> EncodeTextureImage(std::vector<unsigned char> bytes,
                                               std::string& problem) {
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8))
        return EncodedImage{std::move(bytes), "image/png"};
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return EncodedImage{std::move(bytes), "image/jpeg"};
    return ConvertToPng(bytes, problem);
}

std::optional<EncodedImage> ReadTextureImage(const std::string& path, std::string& problem) {
    std::ifstream file(skptext::PathFromUtf8(path), std::ios::binary);
    if (!file) {
        problem = "cannot be opened";
        return std::nullopt;
    }
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    if (file.bad()) {
        problem = "cannot be read";
        return std::nullopt;
    }
    if (bytes.empty()) {
        problem = "is empty";
        return std::nullopt;
    }
    return EncodeTextureImage(std::move(bytes), problem);
}

}  // namespace gltf
