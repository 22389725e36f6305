// Textures and image reps: sizes, pixels top row first in B, G, R(, A), the colourised tint, and
// saving through the library.
#include <gtest/gtest.h>

#include "test_platform.h"
#include "test_support.h"

using namespace sutest;

namespace {

using Bytes = std::vector<SUByte>;

// Width, height, data size and bits per pixel, then the s and t scales.
std::vector<double> DimensionsOf(SUTextureRef texture) {
    size_t width = 0, height = 0, size = 0, bits = 0;
    double s = 0, t = 0;
    EXPECT_EQ(SUTextureGetDimensions(texture, &width, &height, &s, &t), SU_ERROR_NONE);
    EXPECT_EQ(SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_NONE);
    return {double(width), double(height), double(size), double(bits), s, t};
}

TEST(Textures, DimensionsAndPlainAndColourisedReps) {
    const Rich r;
    EXPECT_EQ(DimensionsOf(TextureOf(r.brick)), (std::vector<double>{2, 1, 6, 24, 0.5, 0.25}));
    EXPECT_EQ(TextOf(SUTextureGetFileName, TextureOf(r.brick)), "C:\\tex\\brick.png");
    // No scales given: one texture repeat per image size in pixels.
    EXPECT_EQ(DimensionsOf(TextureOf(r.tinted)), (std::vector<double>{1, 2, 8, 32, 1, 0.5}));
    // A material with a texture and no type of its own is textured.
    EXPECT_EQ(Get(SUMaterialGetType, r.brick), SUMaterialType_Textured);
    EXPECT_EQ(Get(SUMaterialGetType, r.tinted), SUMaterialType_ColorizedTexture);

    EXPECT_EQ(SUGetColorOrder().red_index, 2);  // as the pixels below are laid out
    ImageRep plain, tint;
    ASSERT_EQ(SUTextureGetImageRep(TextureOf(r.brick), plain.out()), SU_ERROR_NONE);
    EXPECT_EQ(Get(SUImageRepGetRowPadding, plain.get()), 0u);
    EXPECT_EQ(Pixels(plain.get()), (Bytes{0, 0, 255, 0, 255, 0}));
    // Brick is (200, 100, 50): red 255 -> 200, green 255 -> 100.
    ASSERT_EQ(SUTextureGetColorizedImageRep(TextureOf(r.brick), tint.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(tint.get()), (Bytes{0, 0, 200, 0, 100, 0}));
    // *2 is (10, 20, 30): each channel times colour / 255, rounded; alpha unchanged; the plain
    // rep of the same texture is untouched by the tint.
    ASSERT_EQ(SUTextureGetColorizedImageRep(TextureOf(r.tinted), tint.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(tint.get()), (Bytes{30, 10, 5, 128, 0, 0, 0, 255}));
    ASSERT_EQ(SUTextureGetImageRep(TextureOf(r.tinted), plain.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(plain.get()), (Bytes{255, 128, 128, 128, 0, 0, 0, 255}));

    // Size overrides change only the reported dimensions, not the pixels; a material without a
    // colour has nothing to tint with.
    Json document = RichDocument();
    document["materials"][0]["texture"]["width"] = 0;
    document["materials"][0]["texture"]["height"] = 512;
    document["materials"][1].erase("color");
    const Rich changed(document);
    EXPECT_EQ(DimensionsOf(TextureOf(changed.brick)),
              (std::vector<double>{0, 512, 6, 24, 0.5, 0.25}));
    EXPECT_EQ(SUTextureGetColorizedImageRep(TextureOf(changed.tinted), tint.out()),
              SU_ERROR_NO_DATA);
}

TEST(Textures, RepsOutliveTheirModelAndSaveAsPng) {
    testsupport::TempFolder dir;
    ImageRep rep, reread, empty;
    ASSERT_EQ(SUTextureGetImageRep(TextureOf(Rich().tinted), rep.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(rep.get()), (Bytes{255, 128, 128, 128, 0, 0, 0, 255}));  // the model is gone
    SUByte small[7];
    EXPECT_EQ(SUImageRepGetData(rep.get(), sizeof small, small), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(SUImageRepGetData(empty.get(), sizeof small, small), SU_ERROR_NO_DATA);
    const auto save = [&dir](SUImageRepRef image, const char* name) {
        return SUImageRepSaveToFile(image, testsupport::Utf8(dir.Path() / name).c_str());
    };
    EXPECT_EQ(save(empty.get(), "empty.png"), SU_ERROR_NO_DATA);
    ASSERT_EQ(save(rep.get(), "tinted.png"), SU_ERROR_NONE);
    EXPECT_EQ(save(rep.get(), "tinted.tga"), SU_ERROR_SERIALIZATION);
    EXPECT_EQ(save(rep.get(), "no/such/dir.png"), SU_ERROR_SERIALIZATION);

    // The document names the image relative to its own folder.
    Json document = kMinimalDocument;
    document["materials"] = {{{"name", "FromFile"}, {"texture", {{"image", "tinted.png"}}}}};
    Model model(dir.Write("model.skpm", document.dump()));
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const SUTextureRef texture =
        TextureOf(List(model.get(), SUModelGetNumMaterials, SUModelGetMaterials).at(0));
    EXPECT_EQ(DimensionsOf(texture)[3], 32);  // it has alpha
    ASSERT_EQ(SUTextureGetImageRep(texture, reread.out()), SU_ERROR_NONE);
    EXPECT_EQ(Pixels(reread.get()), Pixels(rep.get()));
}

}  // namespace
