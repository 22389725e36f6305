#include "test_png.h"

#include <stb_image_write.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace skpm::test {
namespace {

void Append(void* context, void* data, int size) {
    auto* bytes = static_cast<const uint8_t*>(data);
    static_cast<std::vector<uint8_t>*>(context)->insert(
        static_cast<std::vector<uint8_t>*>(context)->end(), bytes, bytes + size);
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    Put32(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    Put32(png, Crc32(png.data() + start, png.size() - start));
}

// zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t n = std::min<size_t>(raw.size() - offset, 65535);
        const bool last = offset + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.insert(out.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        out.insert(out.end(), raw.begin() + long(offset), raw.begin() + long(offset + n));
        offset += n;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(out, b << 16 | a);
    return out;
}

}  // namespace

std::vector<uint8_t> StbPng(int width, int height, int channels,
                            const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> out;
    if (!stbi_write_png_to_func(Append, &out, width, height, channels, pixels.data(),
                                width * channels))
        throw std::runtime_error("stb could not write the PNG");
    return out;
}

std::vector<uint8_t> StbJpeg(int width, int height, int channels,
                             const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> out;
    if (!stbi_write_jpg_to_func(Append, &out, width, height, channels, pixels.data(), 95))
        throw std::runtime_error("stb could not write the JPEG");
    return out;
}

std::vector<uint8_t> StbBmp(int width, int height, int channels,
                            const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> out;
    if (!stbi_write_bmp_to_func(Append, &out, width, height, channels, pixels.data()))
        throw std::runtime_error("stb could not write the BMP");
    return out;
}

std::vector<uint8_t> HandmadePng(int width, int height, int colorType,
                                 const std::vector<uint8_t>& samples,
                                 const std::vector<uint8_t>& palette,
                                 const std::vector<uint8_t>& transparency) {
    const int perPixel = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
    const size_t rowBytes = size_t(width) * size_t(perPixel);
    const int rows = int(std::min<size_t>(size_t(height), samples.size() / rowBytes));
    std::vector<uint8_t> raw;
    for (int y = 0; y < rows; ++y) {
        raw.push_back(0);  // filter: none
        const auto row = samples.begin() + long(y * rowBytes);
        raw.insert(raw.end(), row, row + long(rowBytes));
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, uint32_t(width));
    Put32(header, uint32_t(height));
    header.insert(header.end(), {8, uint8_t(colorType), 0, 0, 0});
    Chunk(png, "IHDR", header);
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    if (!transparency.empty()) Chunk(png, "tRNS", transparency);
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

TempFile::TempFile(const std::string& name)
    : path_((std::filesystem::temp_directory_path() /
             ("skpm_modules_" + std::to_string(getpid()) + "_" + name))
                .string()) {}

TempFile::~TempFile() {
    std::error_code ignored;  // nothing left to do if the file is already gone
    std::filesystem::remove(path_, ignored);
}

void TempFile::Write(const std::vector<uint8_t>& bytes) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path_);
}

}  // namespace skpm::test
