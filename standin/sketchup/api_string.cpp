// String objects: UTF-16 text owned by the caller.
#include <SketchUpAPI/unicodestring.h>
#include <skptext/utf.h>

#include <cstring>

#include "api_support.h"

using namespace skpm;

namespace {

SUResult CreateString(SUStringRef* out, std::u16string text) {
    auto string = std::make_unique<String>();
    string->text = std::move(text);
    out->ptr = live::Add(std::move(string));
    return SU_ERROR_NONE;
}

SUResult CheckCreate(const SUStringRef* out) {
    if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (SUIsValid(*out)) return SU_ERROR_OVERWRITE_VALID;
    return SU_ERROR_NONE;
}

}  // namespace

namespace skpm {

SUResult CheckStringOutput(const SUStringRef* out) {
    if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (live::Find<String>(out->ptr) == nullptr) return SU_ERROR_INVALID_OUTPUT;
    return SU_ERROR_NONE;
}

SUResult SetString(SUStringRef* out, std::string_view utf8) {
    if (SUResult check = CheckStringOutput(out); check != SU_ERROR_NONE) return check;
    std::optional<std::u16string> text = skptext::ToUtf16Strict(utf8);
    if (!text) return SU_ERROR_GENERIC;  // model text is validated on reading
    live::Find<String>(out->ptr)->text = std::move(*text);
    return SU_ERROR_NONE;
}

}  // namespace skpm

SU_RESULT SUStringCreate(SUStringRef* out_string) {
    return Guarded([&] {
        if (SUResult check = CheckCreate(out_string); check != SU_ERROR_NONE) return check;
        return CreateString(out_string, {});
    });
}

SU_RESULT SUStringCreateFromUTF8(SUStringRef* out_string, const char* char_array) {
    return Guarded([&] {
        if (char_array == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
        if (SUResult check = CheckCreate(out_string); check != SU_ERROR_NONE) return check;
        std::optional<std::u16string> text = skptext::ToUtf16Strict(char_array);
        if (!text) return SU_ERROR_INVALID_INPUT;
        return CreateString(out_string, std::move(*text));
    });
}

SU_RESULT SUStringCreateFromUTF16(SUStringRef* out_string, const unichar* char_array) {
    return Guarded([&] {
        if (char_array == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
        if (SUResult check = CheckCreate(out_string); check != SU_ERROR_NONE) return check;
        std::u16string text;
        for (const unichar* unit = char_array; *unit != 0; ++unit) text += char16_t(*unit);
        if (!skptext::ToUtf8Strict(text)) return SU_ERROR_INVALID_INPUT;
        return CreateString(out_string, std::move(text));
    });
}

SU_RESULT SUStringRelease(SUStringRef* string) {
    return Guarded([&] {
        if (string == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
        if (!live::Release(string->ptr, String::kLiveType)) return SU_ERROR_INVALID_INPUT;
        SUSetInvalid(*string);
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUStringGetUTF8Length(SUStringRef string, size_t* out_length) {
    return Guarded([&] {
        const String* text = live::Find<String>(string.ptr);
        if (text == nullptr) return SU_ERROR_INVALID_INPUT;
        if (out_length == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
        const std::string utf8 = skptext::ToUtf8(text->text);  // well-formed: checked on creation
        *out_length = utf8.size();
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUStringGetUTF8(SUStringRef string, size_t char_array_length, char out_char_array[],
                          size_t* copied_length) {
    return Guarded([&] {
        const String* text = live::Find<String>(string.ptr);
        if (text == nullptr) return SU_ERROR_INVALID_INPUT;
        if (out_char_array == nullptr || copied_length == nullptr)
            return SU_ERROR_NULL_POINTER_OUTPUT;
        const std::string utf8 = skptext::ToUtf8(text->text);  // well-formed: checked on creation
        if (char_array_length < utf8.size() + 1) return SU_ERROR_INSUFFICIENT_SIZE;
        std::memcpy(out_char_array, utf8.c_str(), utf8.size() + 1);
        *copied_length = utf8.size();
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUStringGetUTF16Length(SUStringRef string, size_t* out_length) {
    const String* text = live::Find<String>(string.ptr);
    if (text == nullptr) return SU_ERROR_INVALID_INPUT;
    if (out_length == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *out_length = text->text.size();
    return SU_ERROR_NONE;
}

SU_RESULT SUStringGetUTF16(SUStringRef string, size_t char_array_length, unichar out_char_array[],
                           size_t* copied_length) {
    const String* text = live::Find<String>(string.ptr);
    if (text == nullptr) return SU_ERROR_INVALID_INPUT;
    if (out_char_array == nullptr || copied_length == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    const size_t length = text->text.size();
    if (char_array_length < length + 1) return SU_ERROR_INSUFFICIENT_SIZE;
    std::memcpy(out_char_array, text->text.data(), length * sizeof(unichar));
    out_char_array[length] = 0;
    *copied_length = length;
    return SU_ERROR_NONE;
}
