// String objects (UTF-16 and UTF-8 lengths, the terminator rule, text beyond the BMP) and typed
// values (each JSON kind arrives as its own type; asking for another type answers NO_DATA).
#include <gtest/gtest.h>

#include <tuple>

#include "test_support.h"

using namespace sutest;

namespace {

// "Grün 🌲": ü is one UTF-16 unit and 2 UTF-8 bytes; the tree a surrogate pair and 4 bytes.
const char kText[] = "Gr\xC3\xBCn \xF0\x9F\x8C\xB2";
const unichar kUtf16[] = {'G', 'r', 0xFC, 'n', ' ', 0xD83C, 0xDF32, 0};

TEST(Strings, CopiesNeedRoomForTheTerminatorAndWriteNothingOtherwise) {
    const Rich r;  // the name arrives from the document's UTF-8
    String name;
    ASSERT_EQ(SUMaterialGetNameLegacyBehavior(r.plain, name.out()), SU_ERROR_NONE);
    EXPECT_EQ(Get(SUStringGetUTF16Length, name.get()), 7u);
    size_t copied = 99;
    unichar units[9];
    std::fill(std::begin(units), std::end(units), unichar{0x7777});
    EXPECT_EQ(SUStringGetUTF16(name.get(), 7, units, &copied), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(copied, 99u);
    EXPECT_EQ(units[0], 0x7777);
    EXPECT_EQ(SUStringGetUTF16(name.get(), 8, units, &copied), SU_ERROR_NONE);
    EXPECT_EQ(copied, 7u);
    EXPECT_TRUE(std::equal(std::begin(kUtf16), std::end(kUtf16), units));
    EXPECT_EQ(units[8], 0x7777);

    SUStringRef string = SU_INVALID;  // the same rule for UTF-8, from UTF-16
    ASSERT_EQ(SUStringCreateFromUTF16(&string, kUtf16), SU_ERROR_NONE);
    const size_t length = Get(SUStringGetUTF8Length, string);
    EXPECT_EQ(length, sizeof kText - 1);
    char bytes[sizeof kText];
    EXPECT_EQ(SUStringGetUTF8(string, length, bytes, &copied), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(SUStringGetUTF8(string, length + 1, bytes, &copied), SU_ERROR_NONE);
    EXPECT_EQ(copied, length);
    EXPECT_STREQ(bytes, kText);
    EXPECT_EQ(SUStringRelease(&string), SU_ERROR_NONE);

    String empty;
    EXPECT_EQ(SUStringGetUTF16(empty.get(), 0, units, &copied), SU_ERROR_INSUFFICIENT_SIZE);
    EXPECT_EQ(SUStringGetUTF16(empty.get(), 1, units, &copied), SU_ERROR_NONE);
    EXPECT_TRUE(units[0] == 0 && copied == 0);
}

// The value as text, through whichever getter answers; "-" for each getter that answers
// NO_DATA ("?" for any other failure), so that a value readable as two types shows.
std::string Read(SUTypedValueRef value) {
    bool flag = false;
    int32_t integer = 0;
    double number = 0;
    String text;
    const SUResult results[] = {
        SUTypedValueGetBool(value, &flag), SUTypedValueGetInt32(value, &integer),
        SUTypedValueGetDouble(value, &number), SUTypedValueGetString(value, text.out())};
    const std::string shown[] = {flag ? "true" : "false", std::to_string(integer),
                                 std::to_string(number), text.Utf8()};
    std::string out;
    for (size_t i = 0; i < 4; ++i) {
        out += results[i] == SU_ERROR_NONE ? shown[i] : results[i] == SU_ERROR_NO_DATA ? "-" : "?";
    }
    return out;
}

TEST(TypedValues, EachValueAnswersOnlyItsOwnType) {
    const Rich r;
    const SURenderingOptionsRef options = Get(SUModelGetRenderingOptions, r.model.get());
    const std::tuple<const char*, SUTypedValueType, const char*> cases[] = {
        {"DisplayColorByLayer", SUTypedValueType_Bool, "true---"},
        {"EdgeDisplayMode", SUTypedValueType_Int32, "-3--"},
        {"FogDensity", SUTypedValueType_Double, "--0.250000-"},
        {"Style", SUTypedValueType_String, "---Hidden line"},
    };
    String keys[4];
    SUStringRef refs[4] = {keys[0].get(), keys[1].get(), keys[2].get(), keys[3].get()};
    size_t count = 0;
    ASSERT_EQ(SURenderingOptionsGetKeys(options, 4, refs, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 4u);
    TypedValue value;
    for (size_t i = 0; i < 4; ++i) {
        const auto& [key, type, text] = cases[i];
        EXPECT_EQ(keys[i].Utf8(), key);  // keys are listed in sorted order
        ASSERT_EQ(SURenderingOptionsGetValue(options, key, value.out()), SU_ERROR_NONE) << key;
        EXPECT_EQ(Get(SUTypedValueGetType, value.get()), type) << key;
        EXPECT_EQ(Read(value.get()), text);
    }
    // A missing option is NO_DATA and leaves the value ("Style", the last) alone.
    EXPECT_EQ(SURenderingOptionsGetValue(options, "DrawHidden", value.out()), SU_ERROR_NO_DATA);
    EXPECT_EQ(Read(value.get()), "---Hidden line");

    // Material attribute dictionaries hold typed values too.
    const auto dictionaries =
        List(SUMaterialToEntity(r.tinted), SUEntityGetNumAttributeDictionaries,
             SUEntityGetAttributeDictionaries);
    ASSERT_EQ(dictionaries.size(), 2u);  // names may repeat
    for (SUAttributeDictionaryRef dictionary : dictionaries) {
        EXPECT_EQ(TextOf(SUAttributeDictionaryGetName, dictionary), "Kaleth Material Settings");
    }
    ASSERT_EQ(SUAttributeDictionaryGetValue(dictionaries[0], "SurfaceTypeId", value.out()),
              SU_ERROR_NONE);
    EXPECT_EQ(Read(value.get()), "-2--");
    EXPECT_EQ(SUAttributeDictionaryGetValue(dictionaries[0], "KalethLibraryId", value.out()),
              SU_ERROR_NONE);
    EXPECT_EQ(Read(value.get()), "---stone-12");
    EXPECT_EQ(SUAttributeDictionaryGetValue(dictionaries[1], "SurfaceTypeId", value.out()),
              SU_ERROR_NO_DATA);
    EXPECT_EQ(Get(SUEntityGetNumAttributeDictionaries, SUFaceToEntity(r.faces[0])), 0u);
}

}  // namespace
