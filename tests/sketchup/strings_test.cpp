// String objects: UTF-16 and UTF-8 lengths, the terminator rule, and text beyond the BMP.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace sutest;

namespace {

// "Grün 🌲": ü is one UTF-16 unit and two UTF-8 bytes; the tree is a surrogate pair and four
// UTF-8 bytes.
const char kText[] = "Gr\xC3\xBCn \xF0\x9F\x8C\xB2";
const unichar kUtf16[] = {'G', 'r', 0xFC, 'n', ' ', 0xD83C, 0xDF32};

TEST(Strings, Utf16LengthCountsCodeUnitsWithoutTerminator) {
    SUStringRef string = SU_INVALID;
    ASSERT_EQ(SUStringCreateFromUTF8(&string, kText), SU_ERROR_NONE);
    size_t length = 0;
    EXPECT_EQ(SUStringGetUTF16Length(string, &length), SU_ERROR_NONE);
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(SUStringGetUTF8Length(string, &length), SU_ERROR_NONE);
    EXPECT_EQ(length, sizeof kText - 1);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);
}

TEST(Strings, Utf16CopyNeedsRoomForTheTerminator) {
    SUStringRef string = SU_INVALID;
    ASSERT_EQ(SUStringCreateFromUTF8(&string, kText), SU_ERROR_NONE);
    unichar buffer[9];
    std::fill(std::begin(buffer), std::end(buffer), unichar{0x7777});
    size_t copied = 99;
    // Exactly the length is one short: nothing is written.
    EXPECT_EQ(SUStringGetUTF16(string, 7, buffer, &copied), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(copied, 99u);
    EXPECT_EQ(buffer[0], 0x7777);
    EXPECT_EQ(SUStringGetUTF16(string, 8, buffer, &copied), SU_ERROR_NONE);
    EXPECT_EQ(copied, 7u);
    EXPECT_TRUE(std::equal(std::begin(kUtf16), std::end(kUtf16), buffer));
    EXPECT_EQ(buffer[7], 0);
    EXPECT_EQ(buffer[8], 0x7777);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);
}

TEST(Strings, Utf8CopyFollowsTheSameRule) {
    SUStringRef string = SU_INVALID;
    const unichar withTerminator[] = {'G', 'r', 0xFC, 'n', ' ', 0xD83C, 0xDF32, 0};
    ASSERT_EQ(SUStringCreateFromUTF16(&string, withTerminator), SU_ERROR_NONE);
    char buffer[sizeof kText];
    size_t copied = 0;
    EXPECT_EQ(SUStringGetUTF8(string, sizeof kText - 1, buffer, &copied),
              SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(SUStringGetUTF8(string, sizeof kText, buffer, &copied), SU_ERROR_NONE);
    EXPECT_EQ(copied, sizeof kText - 1);
    EXPECT_STREQ(buffer, kText);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);
}

TEST(Strings, EmptyStringStillGetsItsTerminator) {
    String empty;
    unichar unit = 0x1234;
    size_t copied = 5;
    EXPECT_EQ(SUStringGetUTF16(empty.get(), 0, &unit, &copied), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(SUStringGetUTF16(empty.get(), 1, &unit, &copied), SU_ERROR_NONE);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(copied, 0u);
}

TEST(Strings, MalformedInputIsRefused) {
    SUStringRef string = SU_INVALID;
    EXPECT_EQ(SUStringCreateFromUTF8(&string, "\xC3\x28"), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(SUStringCreateFromUTF8(&string, "\xED\xA0\x80"),
              SU_ERROR_INVALID_INPUT);                                               // surrogate
    EXPECT_EQ(SUStringCreateFromUTF8(&string, "\xC0\xAF"), SU_ERROR_INVALID_INPUT);  // overlong
    const unichar loneLead[] = {'a', 0xD83C, 'b', 0};
    EXPECT_EQ(SUStringCreateFromUTF16(&string, loneLead), SU_ERROR_INVALID_INPUT);
    EXPECT_TRUE(SUIsInvalid(string));
    EXPECT_EQ(SUStringCreateFromUTF8(&string, nullptr), SU_ERROR_NULL_POINTER_INPUT);
}

TEST(Strings, ModelTextArrivesAsUtf16) {
    DocumentModel model(RichDocument());
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    String name;
    ASSERT_EQ(SUMaterialGetNameLegacyBehavior(MaterialNamed(model.get(), kText), name.out()),
              SU_ERROR_NONE);
    size_t length = 0;
    ASSERT_EQ(SUStringGetUTF16Length(name.get(), &length), SU_ERROR_NONE);
    std::vector<unichar> units(length + 1);
    size_t copied = 0;
    ASSERT_EQ(SUStringGetUTF16(name.get(), units.size(), units.data(), &copied), SU_ERROR_NONE);
    EXPECT_TRUE(std::equal(std::begin(kUtf16), std::end(kUtf16), units.begin(), units.end() - 1));
}

}  // namespace
