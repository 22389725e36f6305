// Encoders for test images: stb's writers, and a small PNG builder for the chunk layouts stb
// cannot write (palettes, tRNS transparency, forged headers).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skpm::test {

// `pixels` hold `channels` bytes a pixel in R, G, B, A order, rows top first.
std::vector<uint8_t> StbPng(int width, int height, int channels,
                            const std::vector<uint8_t>& pixels);
std::vector<uint8_t> StbJpeg(int width, int height, int channels,
                             const std::vector<uint8_t>& pixels);
std::vector<uint8_t> StbBmp(int width, int height, int channels,
                            const std::vector<uint8_t>& pixels);

// A PNG of 8-bit samples with an uncompressed zlib stream. `colorType` is the PNG colour type
// (0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA); `palette` (RGB triples) and `transparency`
// become PLTE and tRNS chunks when not empty. Rows that `samples` lacks are left out, which
// forges a header whose pixel data is cut short.
std::vector<uint8_t> HandmadePng(int width, int height, int colorType,
                                 const std::vector<uint8_t>& samples,
                                 const std::vector<uint8_t>& palette = {},
                                 const std::vector<uint8_t>& transparency = {});

// A file in the test's temporary folder, removed when this object goes.
class TempFile {
public:
    explicit TempFile(const std::string& name);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    void Write(const std::vector<uint8_t>& bytes) const;

private:
    std::string path_;
};

}  // namespace skpm::test
