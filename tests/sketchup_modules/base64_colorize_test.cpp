#include <gtest/gtest.h>

#include "image.h"

namespace skpm {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(DecodeBase64, AcceptsCanonicalText) {
    std::vector<uint8_t> out = {42};
    EXPECT_TRUE(DecodeBase64("", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(DecodeBase64("TWFu", out));
    EXPECT_EQ(out, Bytes("Man"));
    EXPECT_TRUE(DecodeBase64("TWE=", out));
    EXPECT_EQ(out, Bytes("Ma"));
    EXPECT_TRUE(DecodeBase64("TQ==", out));
    EXPECT_EQ(out, Bytes("M"));
    EXPECT_TRUE(DecodeBase64("/wAAAP8AAAD//wAA", out));
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 0}));
    EXPECT_TRUE(DecodeBase64("+/+/", out));
    EXPECT_EQ(out, (std::vector<uint8_t>{0xFB, 0xFF, 0xBF}));
}

TEST(DecodeBase64, RefusesBadCharactersAndPadding) {
    for (const char* bad : {"TWF", "TWFuT", "TW=u", "T===", "====", "=TWF", "TWFu\n", "TW u",
                            "TWE*", "TWFu====", "TQ=a", "TR==", "TWF=TWFu", "TWF-", "TWF_"}) {
        std::vector<uint8_t> out = {42};
        EXPECT_FALSE(DecodeBase64(bad, out)) << bad;
        EXPECT_EQ(out, std::vector<uint8_t>{42}) << "a refused text leaves the output alone";
    }
}

TEST(Colorize, MultipliesEachChannelAndRoundsToNearest) {
    // Pixels B, G, R, A; colour red 128, green 64, blue 255.
    const Image image{2, 1, 32, {255, 3, 200, 77, 1, 255, 2, 0}};
    const Image tinted = Colorize(image, 128, 64, 255);
    EXPECT_EQ(tinted.width, 2);
    EXPECT_EQ(tinted.bitsPerPixel, 32);
    // B 255*255/255 = 255, G 3*64/255 = 0.75 -> 1, R 200*128/255 = 100.39 -> 100, A kept;
    // B 1, G 255*64/255 = 64, R 2*128/255 = 1.004 -> 1, A kept.
    EXPECT_EQ(tinted.data, (std::vector<uint8_t>{255, 1, 100, 77, 1, 64, 1, 0}));
}

TEST(Colorize, WorksOnThreeBytePixels) {
    const Image image{1, 2, 24, {100, 3, 255, 0, 128, 254}};
    // B*51/255 = 20 and 0; G*128/255: 1.506 -> 2 and 64.25 -> 64; R*255/255 unchanged.
    EXPECT_EQ(Colorize(image, 255, 128, 51).data, (std::vector<uint8_t>{20, 2, 255, 0, 64, 254}));
}

}  // namespace
}  // namespace skpm
