// Decoding, tinting and saving of texture images (PNG, JPEG, BMP).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skpm {

// Rows top first, B, G, R(, A) order, 8 bits a channel, no row padding.
struct Image {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<uint8_t> data;
};

// PNG, JPEG or BMP. 32 bits per pixel when the image has an alpha channel (transparency of a
// palette or grey image included), else 24. Refuses, with a short human `reason`, undecodable
// data and images larger than 16384 pixels on a side or 256 MiB of pixels.
bool DecodeImageFile(const std::string& path, Image& out, std::string& reason);
bool DecodeImageMemory(const uint8_t* bytes, size_t size, Image& out, std::string& reason);

// Standard base64 (RFC 4648 alphabet, '=' padding). Strict: false on any character outside the
// alphabet (whitespace included), on a length that is not a multiple of 4 and on bad padding.
bool DecodeBase64(std::string_view text, std::vector<uint8_t>& out);

// The image tinted by a colour: each of B, G, R multiplied by the colour's channel / 255,
// rounded to nearest; alpha unchanged.
Image Colorize(const Image& image, uint8_t red, uint8_t green, uint8_t blue);

// Writes PNG or JPEG, chosen by the path's extension (.png, .jpg, .jpeg, any case). False for
// any other extension, for an empty or inconsistent image, and when writing fails. The file
// replaces whatever had its name without writing through it, as ReplaceFileWith does.
bool SaveImage(const Image& image, const std::string& utf8Path);

}  // namespace skpm
