#include "image.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_png.h"

namespace skpm::test {
namespace {

// 3 x 2 pixels, R, G, B, A each, all channels distinct so that any swap shows.
const std::vector<uint8_t> kRgba = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,   255, 0,
                                    10,  20, 30, 40,  50, 60,  70, 80,  90, 100, 110, 120};

std::vector<uint8_t> DropAlpha(const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    return rgb;
}

// R, G, B(, A) to what the decoder hands out: B, G, R(, A).
std::vector<uint8_t> ToBgr(std::vector<uint8_t> pixels, int channels) {
    for (size_t i = 0; i < pixels.size(); i += size_t(channels))
        std::swap(pixels[i], pixels[i + 2]);
    return pixels;
}

Image Decode(const std::vector<uint8_t>& bytes) {
    Image image;
    std::string reason;
    EXPECT_TRUE(DecodeImageMemory(bytes.data(), bytes.size(), image, reason)) << reason;
    return image;
}

void ExpectImage(const Image& image, int width, int height, int bits,
                 const std::vector<uint8_t>& data) {
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.bitsPerPixel, bits);
    EXPECT_EQ(image.data, data);
}

TEST(DecodeImage, PngRgbAndRgbaComeOutAsBgr) {
    const std::vector<uint8_t> rgb = DropAlpha(kRgba);
    ExpectImage(Decode(StbPng(3, 2, 3, rgb)), 3, 2, 24, ToBgr(rgb, 3));
    ExpectImage(Decode(StbPng(3, 2, 4, kRgba)), 3, 2, 32, ToBgr(kRgba, 4));
}

TEST(DecodeImage, GreyPngsAreExpandedAndKeepTheirAlpha) {
    ExpectImage(Decode(StbPng(2, 1, 1, {7, 200})), 2, 1, 24, {7, 7, 7, 200, 200, 200});
    ExpectImage(Decode(StbPng(2, 1, 2, {7, 0, 200, 255})), 2, 1, 32,
                {7, 7, 7, 0, 200, 200, 200, 255});
}

TEST(DecodeImage, TransparencyChunksGiveAnAlphaChannel) {
    const std::vector<uint8_t> palette = {255, 0, 0, 0, 0, 255, 9, 8, 7};
    // Palette without and with transparency (entry 1 half transparent, entry 2 not listed).
    ExpectImage(Decode(HandmadePng(3, 1, 3, {0, 1, 2}, palette)), 3, 1, 24,
                {0, 0, 255, 255, 0, 0, 7, 8, 9});
    ExpectImage(Decode(HandmadePng(3, 1, 3, {0, 1, 2}, palette, {255, 128})), 3, 1, 32,
                {0, 0, 255, 255, 255, 0, 0, 128, 7, 8, 9, 255});
    // Grey and RGB with a transparent colour key.
    ExpectImage(Decode(HandmadePng(2, 1, 0, {5, 6}, {}, {0, 6})), 2, 1, 32,
                {5, 5, 5, 255, 6, 6, 6, 0});
    ExpectImage(Decode(HandmadePng(2, 1, 2, {1, 2, 3, 4, 5, 6}, {}, {0, 1, 0, 2, 0, 3})), 2, 1, 32,
                {3, 2, 1, 0, 6, 5, 4, 255});
}

TEST(DecodeImage, JpegIsCloseAndInBgrOrder) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) rgb.insert(rgb.end(), {uint8_t(200 + x), 40, uint8_t(60 + y)});
    const Image image = Decode(StbJpeg(16, 16, 3, rgb));
    ASSERT_EQ(image.bitsPerPixel, 24);
    ASSERT_EQ(image.data.size(), rgb.size());
    const std::vector<uint8_t> bgr = ToBgr(rgb, 3);
    for (size_t i = 0; i < bgr.size(); ++i) ASSERT_NEAR(image.data[i], bgr[i], 8) << "byte " << i;
}

TEST(DecodeImage, Bmp24And32) {
    const std::vector<uint8_t> rgb = DropAlpha(kRgba);
    ExpectImage(Decode(StbBmp(3, 2, 3, rgb)), 3, 2, 24, ToBgr(rgb, 3));
    ExpectImage(Decode(StbBmp(3, 2, 4, kRgba)), 3, 2, 32, ToBgr(kRgba, 4));
}

TEST(DecodeImage, FromFile) {
    const TempFile file("decode.png");
    file.Write(StbPng(3, 2, 4, kRgba));
    Image image;
    std::string reason;
    ASSERT_TRUE(DecodeImageFile(file.path(), image, reason)) << reason;
    ExpectImage(image, 3, 2, 32, ToBgr(kRgba, 4));
}

TEST(DecodeImage, RefusesBrokenInput) {
    Image image;
    std::string reason;
    EXPECT_FALSE(DecodeImageFile("/nonexistent/folder/x.png", image, reason));
    EXPECT_NE(reason.find("cannot open"), std::string::npos) << reason;

    std::vector<uint8_t> png = StbPng(3, 2, 4, kRgba);
    png.resize(png.size() / 2);
    const TempFile file("truncated.png");
    file.Write(png);
    EXPECT_FALSE(DecodeImageFile(file.path(), image, reason));
    EXPECT_EQ(image.width, 0) << "a refused image leaves the output alone";

    // stb itself would fill a cut-short BMP with zeros; a JPEG cut short misses its markers.
    const std::vector<uint8_t> rgb = DropAlpha(kRgba);
    for (const std::vector<uint8_t>& whole :
         {StbBmp(3, 2, 3, rgb), StbBmp(3, 2, 4, kRgba), StbJpeg(3, 2, 3, rgb)}) {
        EXPECT_FALSE(DecodeImageMemory(whole.data(), whole.size() - 4, image, reason)) << reason;
        EXPECT_TRUE(DecodeImageMemory(whole.data(), whole.size(), image, reason)) << reason;
    }

    const std::vector<uint8_t> text = {'{', '"', 'a', '"', ':', '1', '}'};
    EXPECT_FALSE(DecodeImageMemory(text.data(), text.size(), image, reason));
    EXPECT_FALSE(DecodeImageMemory(nullptr, 0, image, reason));
}

TEST(DecodeImage, RefusesOversizeImagesFromTheHeader) {
    Image image;
    std::string reason;
    // Only the header is read: the pixel data is far too short for these sizes.
    for (auto [w, h] : {std::pair{16385, 1}, {1, 16385}, {16384, 16384}}) {
        const std::vector<uint8_t> png = HandmadePng(w, h, 2, std::vector<uint8_t>(size_t(w) * 3));
        EXPECT_FALSE(DecodeImageMemory(png.data(), png.size(), image, reason)) << w << " x " << h;
        EXPECT_NE(reason.find("too large"), std::string::npos) << reason;
    }
}

TEST(SaveImage, PngRoundTripIsExact) {
    for (int channels : {3, 4}) {
        const Image image{3, 2, 8 * channels,
                          ToBgr(channels == 4 ? kRgba : DropAlpha(kRgba), channels)};
        const TempFile file("saved" + std::to_string(channels) + ".PNG");
        ASSERT_TRUE(SaveImage(image, file.path()));
        Image back;
        std::string reason;
        ASSERT_TRUE(DecodeImageFile(file.path(), back, reason)) << reason;
        ExpectImage(back, 3, 2, 8 * channels, image.data);
    }
}

TEST(SaveImage, JpegRoundTripIsClose) {
    Image image{8, 8, 24, {}};
    for (int i = 0; i < 64; ++i) image.data.insert(image.data.end(), {30, 90, 220});
    for (const char* name : {"saved.jpg", "saved.JPEG"}) {
        const TempFile file(name);
        ASSERT_TRUE(SaveImage(image, file.path())) << name;
        Image back;
        std::string reason;
        ASSERT_TRUE(DecodeImageFile(file.path(), back, reason)) << reason;
        ASSERT_EQ(back.bitsPerPixel, 24);
        ASSERT_EQ(back.data.size(), image.data.size());
        for (size_t i = 0; i < back.data.size(); ++i) ASSERT_NEAR(back.data[i], image.data[i], 4);
    }
}

TEST(SaveImage, RefusesOtherExtensionsBadImagesAndUnwritablePaths) {
    const Image image{1, 1, 24, {1, 2, 3}};
    const TempFile bmp("saved.bmp"), none("saved"), png("saved.png");
    EXPECT_FALSE(SaveImage(image, bmp.path()));
    EXPECT_FALSE(SaveImage(image, none.path()));
    EXPECT_FALSE(SaveImage(image, "/nonexistent/folder/x.png"));
    EXPECT_FALSE(SaveImage(Image{2, 1, 24, {1, 2, 3}}, png.path()));  // too few bytes
    EXPECT_FALSE(SaveImage(Image{1, 1, 16, {1, 2}}, png.path()));
}

}  // namespace
}  // namespace skpm::test
