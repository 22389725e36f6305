// Typed values from rendering options and attribute dictionaries: each JSON kind arrives as its
// own type, and asking for another type answers NO_DATA.
#include <gtest/gtest.h>

#include <set>

#include "test_support.h"

using namespace sutest;

namespace {

class TypedValues : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model_.result(), SU_ERROR_NONE) << model_.error();
        ASSERT_EQ(SUModelGetRenderingOptions(model_.get(), &options_), SU_ERROR_NONE);
    }
    DocumentModel model_{RichDocument()};
    SURenderingOptionsRef options_ = SU_INVALID;
};

TEST_F(TypedValues, EachJsonKindHasItsType) {
    const std::pair<const char*, SUTypedValueType> cases[] = {
        {"DisplayColorByLayer", SUTypedValueType_Bool},
        {"EdgeDisplayMode", SUTypedValueType_Int32},
        {"FogDensity", SUTypedValueType_Double},
        {"Style", SUTypedValueType_String},
    };
    for (const auto& [key, type] : cases) {
        TypedValue value;
        ASSERT_EQ(SURenderingOptionsGetValue(options_, key, value.out()), SU_ERROR_NONE) << key;
        SUTypedValueType got = SUTypedValueType_Empty;
        EXPECT_EQ(SUTypedValueGetType(value.get(), &got), SU_ERROR_NONE);
        EXPECT_EQ(got, type) << key;
    }
}

TEST_F(TypedValues, GettersAnswerTheValueOrNoData) {
    TypedValue value;
    ASSERT_EQ(SURenderingOptionsGetValue(options_, "EdgeDisplayMode", value.out()), SU_ERROR_NONE);
    int32_t integer = 0;
    EXPECT_EQ(SUTypedValueGetInt32(value.get(), &integer), SU_ERROR_NONE);
    EXPECT_EQ(integer, 3);
    bool flag = false;
    double number = 0;
    String text;
    EXPECT_EQ(SUTypedValueGetBool(value.get(), &flag), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUTypedValueGetDouble(value.get(), &number), SU_ERROR_NO_DATA);
    EXPECT_EQ(SUTypedValueGetString(value.get(), text.out()), SU_ERROR_NO_DATA);

    ASSERT_EQ(SURenderingOptionsGetValue(options_, "DisplayColorByLayer", value.out()),
              SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueGetBool(value.get(), &flag), SU_ERROR_NONE);
    EXPECT_TRUE(flag);
    EXPECT_EQ(SUTypedValueGetInt32(value.get(), &integer), SU_ERROR_NO_DATA);

    ASSERT_EQ(SURenderingOptionsGetValue(options_, "FogDensity", value.out()), SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueGetDouble(value.get(), &number), SU_ERROR_NONE);
    EXPECT_EQ(number, 0.25);

    ASSERT_EQ(SURenderingOptionsGetValue(options_, "Style", value.out()), SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueGetString(value.get(), text.out()), SU_ERROR_NONE);
    EXPECT_EQ(text.Utf8(), "Hidden line");
}

TEST_F(TypedValues, MissingOptionIsNoDataAndLeavesTheValueAlone) {
    TypedValue value;
    ASSERT_EQ(SURenderingOptionsGetValue(options_, "FogDensity", value.out()), SU_ERROR_NONE);
    EXPECT_EQ(SURenderingOptionsGetValue(options_, "DrawHidden", value.out()), SU_ERROR_NO_DATA);
    double number = 0;
    EXPECT_EQ(SUTypedValueGetDouble(value.get(), &number), SU_ERROR_NONE);
    EXPECT_EQ(number, 0.25);
}

TEST_F(TypedValues, FreshValueIsEmpty) {
    TypedValue value;
    SUTypedValueType type = SUTypedValueType_Array;
    EXPECT_EQ(SUTypedValueGetType(value.get(), &type), SU_ERROR_NONE);
    EXPECT_EQ(type, SUTypedValueType_Empty);
    bool flag;
    EXPECT_EQ(SUTypedValueGetBool(value.get(), &flag), SU_ERROR_NO_DATA);
}

TEST_F(TypedValues, OptionKeysAreListed) {
    size_t count = 0;
    ASSERT_EQ(SURenderingOptionsGetNumKeys(options_, &count), SU_ERROR_NONE);
    ASSERT_EQ(count, 4u);
    String keys[4];
    SUStringRef refs[4] = {keys[0].get(), keys[1].get(), keys[2].get(), keys[3].get()};
    ASSERT_EQ(SURenderingOptionsGetKeys(options_, 4, refs, &count), SU_ERROR_NONE);
    std::set<std::string> names;
    for (auto& key : keys) names.insert(key.Utf8());
    EXPECT_EQ(names, (std::set<std::string>{"DisplayColorByLayer", "EdgeDisplayMode", "FogDensity",
                                            "Style"}));
}

TEST(AttributeDictionaries, MaterialDictionariesHoldTypedValues) {
    DocumentModel model(RichDocument());
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const SUEntityRef entity = SUMaterialToEntity(MaterialNamed(model.get(), "*2"));
    size_t count = 0;
    ASSERT_EQ(SUEntityGetNumAttributeDictionaries(entity, &count), SU_ERROR_NONE);
    ASSERT_EQ(count, 2u);  // names may repeat
    SUAttributeDictionaryRef dictionaries[2];
    ASSERT_EQ(SUEntityGetAttributeDictionaries(entity, 2, dictionaries, &count), SU_ERROR_NONE);
    for (SUAttributeDictionaryRef dictionary : dictionaries) {
        EXPECT_EQ(SUEntityGetType(SUEntityRef{dictionary.ptr}), SURefType_AttributeDictionary);
        String name;
        ASSERT_EQ(SUAttributeDictionaryGetName(dictionary, name.out()), SU_ERROR_NONE);
        EXPECT_EQ(name.Utf8(), "Kaleth Material Settings");
    }
    TypedValue value;
    int32_t surface = 0;
    ASSERT_EQ(SUAttributeDictionaryGetValue(dictionaries[0], "SurfaceTypeId", value.out()),
              SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueGetInt32(value.get(), &surface), SU_ERROR_NONE);
    EXPECT_EQ(surface, 2);
    String library;
    ASSERT_EQ(SUAttributeDictionaryGetValue(dictionaries[0], "KalethLibraryId", value.out()),
              SU_ERROR_NONE);
    EXPECT_EQ(SUTypedValueGetString(value.get(), library.out()), SU_ERROR_NONE);
    EXPECT_EQ(library.Utf8(), "stone-12");
    EXPECT_EQ(SUAttributeDictionaryGetValue(dictionaries[1], "SurfaceTypeId", value.out()),
              SU_ERROR_NO_DATA);

    // Other entities have none.
    SUFaceRef face = FirstFace(RootEntities(model.get()));
    EXPECT_EQ(SUEntityGetNumAttributeDictionaries(SUFaceToEntity(face), &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 0u);
}

}  // namespace
