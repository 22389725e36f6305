// Images decode to B, G, R(, A) at the right depth, broken files are refused, saving round-trips
// and a failed save leaves nothing, base64 is strict and tinting rounds.
#include "image.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>

#include "file_size_limit.h"
#include "temp_folder.h"
#include "test_platform.h"

namespace skpm {
namespace {

using Bytes = std::vector<uint8_t>;

// One column of two pixels (rows, and BMP row padding, show), every channel distinct.
const Bytes kRgb = {1, 2, 3, 5, 6, 7}, kBgr = {3, 2, 1, 7, 6, 5};
const Bytes kRgba = {1, 2, 3, 4, 5, 6, 7, 8}, kBgra = {3, 2, 1, 4, 7, 6, 5, 8};

Bytes Repeat(const Bytes& pixel, int count) {  // one colour, which JPEG keeps close
    Bytes out;
    while (count-- > 0) out.insert(out.end(), pixel.begin(), pixel.end());
    return out;
}

void Append(void* out, void* data, int size) {
    static_cast<Bytes*>(out)->insert(static_cast<Bytes*>(out)->end(), static_cast<uint8_t*>(data),
                                     static_cast<uint8_t*>(data) + size);
}
// stb's PNG ('p'), BMP ('b') or JPEG ('j') of R, G, B(, A) pixels, rows top first.
Bytes Encode(char format, int w, int h, int channels, const Bytes& px) {
    Bytes out;
    const int ok =
        format == 'p'
            ? stbi_write_png_to_func(Append, &out, w, h, channels, px.data(), w * channels)
        : format == 'b' ? stbi_write_bmp_to_func(Append, &out, w, h, channels, px.data())
                        : stbi_write_jpg_to_func(Append, &out, w, h, channels, px.data(), 95);
    EXPECT_NE(ok, 0) << "stb could not encode";
    return out;
}

void Put32(Bytes& out, uint32_t v) {
    out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}
uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}
// What stb cannot write: its one-row grey PNG of `row`, the header swapped for one of `width` x
// `height` 8-bit `colorType`, followed by PLTE and tRNS chunks when given.
Bytes ForgedPng(uint32_t width, uint32_t height, uint8_t colorType, const Bytes& row,
                const Bytes& plte = {}, const Bytes& trns = {}) {
    stbi_write_force_png_filter = 0;  // rows stay as they are, whatever the pixel size
    const Bytes stb = Encode('p', int(row.size()), 1, 1, row);
    stbi_write_force_png_filter = -1;
    Bytes png(stb.begin(), stb.begin() + 8), header;
    Put32(header, width);
    Put32(header, height);
    header.insert(header.end(), {8, colorType, 0, 0, 0});
    for (const auto& [type, data] : {std::pair{"IHDR", header}, {"PLTE", plte}, {"tRNS", trns}}) {
        if (data.empty()) continue;
        const size_t start = png.size();
        Put32(png, uint32_t(data.size()));
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        Put32(png, Crc32(&png[start + 4], png.size() - start - 4));
    }
    png.insert(png.end(), stb.begin() + 33, stb.end());  // IDAT, IEND
    return png;
}

void ExpectImage(const Image& got, const Image& want, int tolerance) {
    EXPECT_EQ(std::tie(got.width, got.height, got.bitsPerPixel),
              std::tie(want.width, want.height, want.bitsPerPixel));
    ASSERT_EQ(got.data.size(), want.data.size());
    for (size_t i = 0; i < got.data.size(); ++i)
        ASSERT_NEAR(got.data[i], want.data[i], tolerance) << "byte " << i;
}

// Each layout decodes, and what it decodes to saves and loads back: PNG exactly, JPEG closely.
TEST(Image, DecodesEveryLayoutToBgrAtTheRightDepthAndSavesIt) {
    // Palette entry 1 half transparent, entry 2 not listed (opaque); a grey colour key.
    const Bytes plte = {255, 0, 0, 0, 0, 255, 9, 8, 7}, trns = {255, 128}, key = {0, 6};
    const Bytes fromPlte = {0, 0, 255, 255, 255, 0, 0, 128, 7, 8, 9, 255};
    const Bytes jpegRgb = Repeat({220, 90, 30}, 64), jpegBgr = Repeat({30, 90, 220}, 64);
    const std::tuple<std::string, Bytes, Image, int> cases[] = {
        {"PngRgb", Encode('p', 1, 2, 3, kRgb), {1, 2, 24, kBgr}, 0},
        {"PngRgba", Encode('p', 1, 2, 4, kRgba), {1, 2, 32, kBgra}, 0},
        {"PngGrey", Encode('p', 2, 1, 1, {7, 200}), {2, 1, 24, {7, 7, 7, 200, 200, 200}}, 0},
        {"PngPaletteTrns", ForgedPng(3, 1, 3, {0, 1, 2}, plte, trns), {3, 1, 32, fromPlte}, 0},
        {"PngGreyTrns",
         ForgedPng(2, 1, 0, {5, 6}, {}, key),
         {2, 1, 32, {5, 5, 5, 255, 6, 6, 6, 0}},
         0},
        {"Bmp24", Encode('b', 1, 2, 3, kRgb), {1, 2, 24, kBgr}, 0},
        {"Bmp32", Encode('b', 1, 2, 4, kRgba), {1, 2, 32, kBgra}, 0},
        {"Jpeg", Encode('j', 8, 8, 3, jpegRgb), {8, 8, 24, jpegBgr}, 4},
    };
    const testsupport::TempFolder folder;
    for (const auto& [name, bytes, want, tolerance] : cases) {
        SCOPED_TRACE(name);
        Image image;
        std::string reason;
        ASSERT_TRUE(DecodeImageMemory(bytes.data(), bytes.size(), image, reason)) << reason;
        ExpectImage(image, want, tolerance);
        const std::string file = folder.File(name + (tolerance ? ".JPEG" : ".Png"));
        ASSERT_TRUE(SaveImage(image, file));
        Image back;
        ASSERT_TRUE(DecodeImageFile(file, back, reason)) << reason;
        ExpectImage(back, image, tolerance);
    }
}

TEST(Image, RefusesCutShortBrokenAndOversizeFiles) {
    const Bytes png = Encode('p', 1, 2, 4, kRgba);
    const auto cut = [](Bytes b, size_t n) { return Bytes(b.begin(), b.end() - long(n)); };
    const std::pair<Bytes, std::string> cases[] = {
        {cut(png, png.size() / 2), ""},
        // stb itself would fill a cut-short BMP with zeros; a JPEG cut short misses its markers.
        {cut(Encode('b', 1, 2, 3, kRgb), 4), "cut short"},
        {cut(Encode('b', 1, 2, 4, kRgba), 4), "cut short"},
        {cut(Encode('j', 1, 2, 3, kRgb), 4), ""},
        {{'{', '"', 'a', '"', ':', '1', '}'}, ""},
        {{}, ""},
        // Refused from the header alone, before the far too short pixel data.
        {ForgedPng(16385, 1, 2, {0}), "too large"},
        {ForgedPng(1, 16385, 2, {0}), "too large"},
        {ForgedPng(16384, 16384, 2, {0}), "too large"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [bytes, why] = cases[i];
        Image image{7, 0, 0, {}};
        std::string reason;
        EXPECT_FALSE(DecodeImageMemory(bytes.data(), bytes.size(), image, reason)) << "case " << i;
        EXPECT_NE(reason.find(why), std::string::npos) << reason;
        EXPECT_EQ(image.width, 7) << "a refused image leaves the output alone";
    }
    Image image;
    std::string reason;
    EXPECT_FALSE(DecodeImageFile("/nonexistent/folder/x.png", image, reason));
    EXPECT_NE(reason.find("cannot open"), std::string::npos) << reason;
}

TEST(Image, RefusesToSaveOtherExtensionsBadImagesAndUnwritablePaths) {
    const Image pixel{1, 1, 24, {1, 2, 3}};
    const testsupport::TempFolder folder;
    const std::string jpg = folder.File("saved.jpg"), bmp = folder.File("saved.bmp"),
                      none = folder.File("saved");
    EXPECT_TRUE(SaveImage(pixel, jpg));
    EXPECT_FALSE(SaveImage(pixel, bmp));
    EXPECT_FALSE(SaveImage(pixel, none));
    EXPECT_FALSE(SaveImage(pixel, "/nonexistent/folder/x.png"));
    EXPECT_FALSE(SaveImage(Image{2, 1, 24, {1, 2, 3}}, jpg));  // too few bytes
    EXPECT_FALSE(SaveImage(Image{1, 1, 16, {1, 2}}, jpg));
}

// A folder under the name, and (on POSIX) a write cut short by a limit on file sizes: the save
// fails and leaves nothing behind, neither under the name nor under the fresh one it wrote to
// first.
TEST(Image, FailedSaveLeavesNoFile) {
    const testsupport::TempFolder temp("skpm_save_");
    const std::filesystem::path& folder = temp.Path();
    std::filesystem::create_directory(folder / "folder.png");
    const Image image{64, 64, 24, Repeat({9, 99, 199}, 64 * 64)};
#if !defined(_WIN32)  // a limit on file sizes is POSIX's
    bool cut = true;
    {
        const testsupport::FileSizeLimit fullDisk(64);
        cut = SaveImage(image, testsupport::Utf8(folder / "cut.jpg"));
    }
    EXPECT_FALSE(cut);
#endif
    EXPECT_FALSE(SaveImage(image, testsupport::Utf8(folder / "folder.png")));
    const std::vector<std::filesystem::path> left(
        std::filesystem::recursive_directory_iterator(folder), {});
    EXPECT_EQ(left, std::vector<std::filesystem::path>{folder / "folder.png"});
}

TEST(Image, DecodesCanonicalBase64Only) {
    const std::pair<const char*, Bytes> good[] = {
        {"", {}},
        {"TWFu", {'M', 'a', 'n'}},
        {"TWE=", {'M', 'a'}},
        {"TQ==", {'M'}},
        {"+/+/", {0xFB, 0xFF, 0xBF}},
        {"/wAAAP8AAAD//wAA", {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 0}}};
    for (const auto& [text, bytes] : good) {
        Bytes out = {42};
        EXPECT_TRUE(DecodeBase64(text, out)) << text;
        EXPECT_EQ(out, bytes) << text;
    }
    for (const char* bad : {"TWF", "TWFuT", "TW=u", "T===", "====", "=TWF", "TWFu\n", "TW u",
                            "TWE*", "TWFu====", "TQ=a", "TR==", "TWF=TWFu", "TWF-", "TWF_"}) {
        Bytes out = {42};
        EXPECT_FALSE(DecodeBase64(bad, out)) << bad;
        EXPECT_EQ(out, Bytes{42}) << bad << ": a refused text leaves the output alone";
    }
}

TEST(Image, ColorizeRoundsEachChannelToNearestAndKeepsAlpha) {
    // Red 128, green 64, blue 255: G 3 * 64 / 255 = 0.75 -> 1, R 200 * 128 / 255 = 100.39 -> 100,
    // R 2 * 128 / 255 = 1.004 -> 1. Three-byte pixels, red 255, green 128, blue 51: 1.506 -> 2.
    ExpectImage(Colorize(Image{2, 1, 32, {255, 3, 200, 77, 1, 255, 2, 0}}, 128, 64, 255),
                Image{2, 1, 32, {255, 1, 100, 77, 1, 64, 1, 0}}, 0);
    ExpectImage(Colorize(Image{1, 2, 24, {100, 3, 255, 0, 128, 254}}, 255, 128, 51),
                Image{1, 2, 24, {20, 2, 255, 0, 64, 254}}, 0);
}

}  // namespace
}  // namespace skpm
