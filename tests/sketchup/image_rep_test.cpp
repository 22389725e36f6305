// Textures and image reps: sizes, pixels top row first in B, G, R(, A), the colourised tint, and
// saving through the library.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

std::vector<SUByte> Pixels(SUImageRepRef rep) {
    size_t size = 0, bits = 0;
    EXPECT_EQ(SUImageRepGetDataSize(rep, &size, &bits), SU_ERROR_NONE);
    std::vector<SUByte> data(size);
    EXPECT_EQ(SUImageRepGetData(rep, data.size(), data.data()), SU_ERROR_NONE);
    return data;
}

SUTextureRef TextureOf(SUMaterialRef material) {
    SUTextureRef texture = SU_INVALID;
    EXPECT_EQ(SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
    return texture;
}

class Textures : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error();
        brick_ = TextureOf(MaterialNamed(model_.get(), "Brick"));
        tinted_ = TextureOf(MaterialNamed(model_.get(), "*2"));
    }
    DocumentModel model_{RichDocument()};
    SUTextureRef brick_ = SU_INVALID, tinted_ = SU_INVALID;
};

TEST_F(Textures, DimensionsNameAndDataSize) {
    size_t width = 0, height = 0, size = 0, bits = 0;
    double s = 0, t = 0;
    ASSERT_EQ(SUTextureGetDimensions(brick_, &width, &height, &s, &t), SU_ERROR_NONE);
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 1u);
    EXPECT_EQ(s, 0.5);
    EXPECT_EQ(t, 0.25);
    ASSERT_EQ(SUTextureGetImageDataSize(brick_, &size, &bits), SU_ERROR_NONE);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(bits, 24u);
    String name;
    ASSERT_EQ(SUTextureGetFileName(brick_, name.out()), SU_ERROR_NONE);
    EXPECT_EQ(name.Utf8(), "C:\\tex\\brick.png");

    // No scales given: one texture repeat per image size in pixels; no file: the empty name.
    ASSERT_EQ(SUTextureGetDimensions(tinted_, &width, &height, &s, &t), SU_ERROR_NONE);
    EXPECT_EQ(s, 1.0);
    EXPECT_EQ(t, 0.5);
    ASSERT_EQ(SUTextureGetFileName(tinted_, name.out()), SU_ERROR_NONE);
    EXPECT_EQ(name.Utf8(), "");
    ASSERT_EQ(SUTextureGetImageDataSize(tinted_, &size, &bits), SU_ERROR_NONE);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(bits, 32u);
}

TEST_F(Textures, ImageRepHandsOutThePixelsAsStored) {
    ImageRep rep;
    ASSERT_EQ(SUTextureGetImageRep(brick_, rep.out()), SU_ERROR_NONE);
    size_t width = 0, height = 0, padding = 9;
    ASSERT_EQ(SUImageRepGetPixelDimensions(rep.get(), &width, &height), SU_ERROR_NONE);
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 1u);
    ASSERT_EQ(SUImageRepGetRowPadding(rep.get(), &padding), SU_ERROR_NONE);
    EXPECT_EQ(padding, 0u);
    EXPECT_EQ(Pixels(rep.get()), (std::vector<SUByte>{0, 0, 255, 0, 255, 0}));
    const SUColorOrder order = SUGetColorOrder();
    EXPECT_EQ(order.blue_index, 0);
    EXPECT_EQ(order.green_index, 1);
    EXPECT_EQ(order.red_index, 2);
    EXPECT_EQ(order.alpha_index, 3);
}

TEST_F(Textures, ColorizedRepIsTintedByTheMaterialColour) {
    ImageRep rep;
    // Brick is (200, 100, 50): red 255 -> 200, green 255 -> 100.
    ASSERT_EQ(SUTextureGetColorizedImageRep(brick_, rep.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(rep.get()), (std::vector<SUByte>{0, 0, 200, 0, 100, 0}));
    // *2 is (10, 20, 30): each channel times colour / 255, rounded; alpha unchanged.
    ASSERT_EQ(SUTextureGetColorizedImageRep(tinted_, rep.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(rep.get()), (std::vector<SUByte>{30, 10, 5, 128, 0, 0, 0, 255}));
    // The plain rep of the same texture is untouched by the tint.
    ImageRep plain;
    ASSERT_EQ(SUTextureGetImageRep(tinted_, plain.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(plain.get()), (std::vector<SUByte>{255, 128, 128, 128, 0, 0, 0, 255}));
}

TEST_F(Textures, DataCopyNeedsTheWholeSize) {
    ImageRep rep;
    ASSERT_EQ(SUTextureGetImageRep(brick_, rep.out()), SU_ERROR_NONE);
    SUByte small[5];
    EXPECT_EQ(SUImageRepGetData(rep.get(), sizeof small, small), SU_ERROR_INSUFFICIENT_SIZE);
    ImageRep empty;
    size_t size = 9, bits = 9, width = 9, height = 9;
    EXPECT_EQ(SUImageRepGetDataSize(empty.get(), &size, &bits), SU_ERROR_NONE);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(SUImageRepGetPixelDimensions(empty.get(), &width, &height), SU_ERROR_NONE);
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(SUImageRepGetData(empty.get(), sizeof small, small), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUImageRepSaveToFile(empty.get(), "unused.png"), SU_ERROR_NO_DATA);
}

TEST_F(Textures, ImageRepOutlivesItsModel) {
    ImageRep rep;
    {
        DocumentModel other(RichDocument());
        ASSERT_EQ(SUTextureGetImageRep(TextureOf(MaterialNamed(other.get(), "Brick")), rep.out()),
                  SU_ERROR_NONE);
    }
    EXPECT_EQ(Pixels(rep.get()), (std::vector<SUByte>{0, 0, 255, 0, 255, 0}));
}

TEST_F(Textures, SizeOverridesChangeOnlyTheReportedDimensions) {
    Json document = RichDocument();
    document["materials"][0]["texture"]["width"] = 0;
    document["materials"][0]["texture"]["height"] = 512;
    DocumentModel model(document);
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const SUTextureRef texture = TextureOf(MaterialNamed(model.get(), "Brick"));
    size_t width = 9, height = 0, size = 0, bits = 0;
    double s, t;
    ASSERT_EQ(SUTextureGetDimensions(texture, &width, &height, &s, &t), SU_ERROR_NONE);
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(height, 512u);
    ASSERT_EQ(SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_NONE);
    EXPECT_EQ(size, 6u);
    ImageRep rep;
    ASSERT_EQ(SUTextureGetImageRep(texture, rep.out()), SU_ERROR_NONE);
    ASSERT_EQ(SUImageRepGetPixelDimensions(rep.get(), &width, &height), SU_ERROR_NONE);
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 1u);
}

TEST_F(Textures, SavedPngReadsBackAsATextureImage) {
    TempDir dir;
    ImageRep rep;
    ASSERT_EQ(SUTextureGetImageRep(tinted_, rep.out()), SU_ERROR_NONE);
    const std::string saved = (dir.path() / "tinted.png").string();
    ASSERT_EQ(SUImageRepSaveToFile(rep.get(), saved.c_str()), SU_ERROR_NONE);
    EXPECT_EQ(SUImageRepSaveToFile(rep.get(), (dir.path() / "tinted.tga").string().c_str()),
              SU_ERROR_SERIALIZATION);
    EXPECT_EQ(SUImageRepSaveToFile(rep.get(), (dir.path() / "no/such/dir.png").string().c_str()),
              SU_ERROR_SERIALIZATION);

    // The document names the image relative to its own folder.
    Json document = MinimalDocument();
    document["materials"] = {{{"name", "FromFile"}, {"texture", {{"image", "tinted.png"}}}}};
    Model model(dir.Write("model.skpm", document.dump()));
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const SUTextureRef texture = TextureOf(MaterialNamed(model.get(), "FromFile"));
    size_t size = 0, bits = 0;
    ASSERT_EQ(SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_NONE);
    EXPECT_EQ(bits, 32u);  // it has alpha
    ImageRep reread;
    ASSERT_EQ(SUTextureGetImageRep(texture, reread.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(reread.get()), Pixels(rep.get()));
}

TEST(ColorizedImageRep, NeedsAColourToTintWith) {
    Json document = MinimalDocument();
    document["materials"] = {
        {{"name", "Bare"},
         {"texture",
          {{"pixels", {{"width", 1}, {"height", 1}, {"bitsPerPixel", 24}, {"data", "AQID"}}}}}}};
    DocumentModel model(document);
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    ImageRep rep;
    EXPECT_EQ(
        SUTextureGetColorizedImageRep(TextureOf(MaterialNamed(model.get(), "Bare")), rep.out()),
        SU_ERROR_NO_DATA);
}

}  // namespace
