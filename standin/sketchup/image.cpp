#include "image.h"

#include <skptext/file_path.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>

#include "replace_file.h"

namespace skpm {
namespace {

constexpr int kMaxSide = 16384;
constexpr size_t kMaxPixelBytes = size_t{256} << 20;
constexpr int kJpegQuality = 90;

enum class Format { kPng, kJpeg, kBmp, kOther };

Format Sniff(const uint8_t* bytes, size_t size) {
    static constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(bytes, kPngSignature, 8) == 0) return Format::kPng;
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return Format::kJpeg;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return Format::kBmp;
    return Format::kOther;
}

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// stbi_info reports the palette's transparency of an indexed PNG but stops at the header of a
// grey or truecolour one, so a tRNS chunk (which must precede the image data) is looked for here.
bool PngHasTransparencyChunk(const uint8_t* bytes, size_t size) {
    size_t offset = 8;
    while (offset + 8 <= size) {
        const uint32_t length = BigEndian32(bytes + offset);
        const uint8_t* type = bytes + offset + 4;
        if (std::memcmp(type, "tRNS", 4) == 0) return true;
        if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0) return false;
        offset += size_t{12} + length;  // length, type, data, CRC
    }
    return false;
}

uint32_t LittleEndian(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

// stb reads missing BMP pixels as zeros, so a cut-short file would pass; uncompressed and
// bit-field BMPs must hold all their rows. (Other compressions are refused by stb itself.)
bool BmpPixelsFit(const uint8_t* bytes, size_t size) {
    if (size < 26) return false;
    const uint32_t pixelOffset = LittleEndian(bytes + 10, 4);
    const uint32_t headerSize = LittleEndian(bytes + 14, 4);
    uint64_t width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) {  // OS/2 core header: 16-bit sizes
        width = LittleEndian(bytes + 18, 2);
        height = LittleEndian(bytes + 20, 2);
        bits = LittleEndian(bytes + 24, 2);
    } else {
        if (size < 34) return false;
        width = LittleEndian(bytes + 18, 4);
        const auto signedHeight = static_cast<int32_t>(LittleEndian(bytes + 22, 4));
        height = signedHeight < 0 ? -int64_t{signedHeight} : signedHeight;  // negative: top down
        bits = LittleEndian(bytes + 28, 2);
        compression = LittleEndian(bytes + 30, 4);
    }
    if (compression != 0 && compression != 3) return true;
    const uint64_t stride = (width * bits + 31) / 32 * 4;
    return uint64_t{pixelOffset} + stride * height <= size;
}

struct StbiDeleter {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::string StbReason(const char* what) {
    const char* why = stbi_failure_reason();
    return std::string(what) + (why ? std::string(": ") + why : std::string());
}

}  // namespace

bool DecodeImageMemory(const uint8_t* bytes, size_t size, Image& out, std::string& reason) {
    if (!bytes || size == 0) {
        reason = "no image data";
        return false;
    }
    if (size > static_cast<size_t>(INT_MAX)) {
        reason = "image file too large";
        return false;
    }
    const Format format = Sniff(bytes, size);
    if (format == Format::kOther) {
        reason = "not a PNG, JPEG or BMP image";
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) {
        reason = StbReason("unreadable image header");
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        size_t(width) * size_t(height) * 4 > kMaxPixelBytes) {
        reason = "image too large: " + std::to_string(width) + " x " + std::to_string(height);
        return false;
    }
    if (format == Format::kBmp && !BmpPixelsFit(bytes, size)) {
        reason = "BMP pixel data cut short";
        return false;
    }
    const bool alpha = channels == 2 || channels == 4 ||
                       (format == Format::kPng && PngHasTransparencyChunk(bytes, size));
    const int wanted = alpha ? 4 : 3;
    int decodedWidth = 0, decodedHeight = 0, fileChannels = 0;
    std::unique_ptr<stbi_uc, StbiDeleter> pixels(
        stbi_load_from_memory(bytes, length, &decodedWidth, &decodedHeight, &fileChannels, wanted));
    if (!pixels) {
        reason = StbReason("cannot decode image");
        return false;
    }
    if (decodedWidth != width || decodedHeight != height) {
        reason = "image header and pixels disagree on the size";
        return false;
    }
    const size_t count = size_t(width) * size_t(height);
    out.width = width;
    out.height = height;
    out.bitsPerPixel = 8 * wanted;
    out.data.assign(pixels.get(), pixels.get() + count * wanted);
    for (size_t i = 0; i < count; ++i) std::swap(out.data[i * wanted], out.data[i * wanted + 2]);
    return true;
}

bool DecodeImageFile(const std::string& path, Image& out, std::string& reason) {
    std::ifstream file(skptext::PathFromUtf8(path), std::ios::binary | std::ios::ate);
    if (!file) {
        reason = "cannot open " + path;
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || size > INT_MAX) {
        reason = "cannot read " + path + " (unknown or too large size)";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        reason = "cannot read " + path;
        return false;
    }
    if (!DecodeImageMemory(bytes.data(), bytes.size(), out, reason)) {
        reason = path + ": " + reason;
        return false;
    }
    return true;
}

bool DecodeBase64(std::string_view text, std::vector<uint8_t>& out) {
    static constexpr std::array<int8_t, 256> kValue = [] {
        std::array<int8_t, 256> table{};
        table.fill(-1);
        const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i) table[static_cast<uint8_t>(alphabet[i])] = int8_t(i);
        return table;
    }();
    if (text.size() % 4 != 0) return false;
    size_t padding = 0;
    if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const size_t digits = last ? 4 - padding : 4;
        uint32_t group = 0;
        for (size_t j = 0; j < 4; ++j) {
            const int value = j < digits ? kValue[static_cast<uint8_t>(text[i + j])] : 0;
            if (value < 0) return false;  // outside the alphabet, or '=' before the end
            group = group << 6 | uint32_t(value);
        }
        const size_t produced = digits - 1;
        // Bits below the last whole byte must be zero: one encoding per byte string.
        if (produced < 3 && (group & ((1u << (8 * (3 - produced))) - 1)) != 0) return false;
        for (size_t b = 0; b < produced; ++b) bytes.push_back(uint8_t(group >> (16 - 8 * b)));
    }
    out = std::move(bytes);
    return true;
}

Image Colorize(const Image& image, uint8_t red, uint8_t green, uint8_t blue) {
    Image tinted = image;
    const size_t channels = size_t(std::max(image.bitsPerPixel, 0) / 8);
    if (channels < 3) return tinted;  // not one of our 24 or 32 bit images: nothing to tint
    const uint32_t factors[3] = {blue, green, red};
    for (size_t i = 0; i + channels <= tinted.data.size(); i += channels) {
        // c * f / 255 rounded to nearest; with 255 odd there is never a tie.
        for (size_t c = 0; c < 3; ++c)
            tinted.data[i + c] = uint8_t((tinted.data[i + c] * factors[c] + 127) / 255);
    }
    return tinted;
}

bool SaveImage(const Image& image, const std::string& utf8Path) {
    const size_t dot = utf8Path.find_last_of("./");
    if (dot == std::string::npos || utf8Path[dot] != '.') return false;
    std::string extension = utf8Path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    const bool png = extension == "png";
    if (!png && extension != "jpg" && extension != "jpeg") return false;

    const int channels = image.bitsPerPixel / 8;
    if ((image.bitsPerPixel != 24 && image.bitsPerPixel != 32) || image.width <= 0 ||
        image.height <= 0 || image.width > kMaxSide || image.height > kMaxSide ||
        image.data.size() != size_t(image.width) * size_t(image.height) * size_t(channels))
        return false;

    std::vector<uint8_t> rgb = image.data;
    for (size_t i = 0; i < rgb.size(); i += size_t(channels)) std::swap(rgb[i], rgb[i + 2]);
    // stb's encoders are C: an exception must not unwind through them, or their buffers leak.
    // The callback notes a failed allocation and the failure is raised once stb has returned.
    struct Output {
        std::vector<uint8_t> bytes;
        bool outOfMemory = false;
    } output;
    const auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<Output*>(context);
        auto* bytes = static_cast<const uint8_t*>(data);
        if (out->outOfMemory) return;
        try {
            out->bytes.insert(out->bytes.end(), bytes, bytes + size);
        } catch (const std::bad_alloc&) {
            out->outOfMemory = true;
        }
    };
    const int written = png ? stbi_write_png_to_func(append, &output, image.width, image.height,
                                                     channels, rgb.data(), image.width * channels)
                            : stbi_write_jpg_to_func(append, &output, image.width, image.height,
                                                     channels, rgb.data(), kJpegQuality);
    if (output.outOfMemory) throw std::bad_alloc();
    const std::vector<uint8_t>& encoded = output.bytes;
    if (!written || encoded.empty()) return false;

    return ReplaceFileWith(utf8Path, encoded.data(), encoded.size());
}

}  // namespace skpm
