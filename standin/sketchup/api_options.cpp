// Rendering options and attribute dictionaries: named typed values.
#include <SketchUpAPI/model/attribute_dictionary.h>
#include <SketchUpAPI/model/rendering_options.h>

#include "api_support.h"

using namespace skpm;

namespace {

SUResult GetKeys(const Object* owner, const std::map<std::string, Value>& values, FailPoint point,
                 size_t len, SUStringRef keys[], size_t* count) {
    if (SUResult r = Begin(owner, point, {count}); r != SU_ERROR_NONE) return r;
    if (keys == nullptr && len > 0) return SU_ERROR_NULL_POINTER_OUTPUT;
    const size_t n = std::min(len, values.size());
    for (size_t i = 0; i < n; ++i) {
        if (SUResult check = CheckStringOutput(&keys[i]); check != SU_ERROR_NONE) return check;
    }
    auto entry = values.begin();
    for (size_t i = 0; i < n; ++i, ++entry) {
        if (SUResult r = SetString(&keys[i], entry->first); r != SU_ERROR_NONE) return r;
    }
    *count = n;
    return SU_ERROR_NONE;
}

SUResult GetValue(const Object* owner, const std::map<std::string, Value>& values, FailPoint point,
                  const char* key, SUTypedValueRef* value_out) {
    if (owner == nullptr) return SU_ERROR_INVALID_INPUT;
    if (key == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (value_out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (live::Find<TypedValue>(value_out->ptr) == nullptr) return SU_ERROR_INVALID_OUTPUT;
    if (SUResult r = owner->fails.Check(point); r != SU_ERROR_NONE) return r;
    auto found = values.find(key);
    if (found == values.end()) return SU_ERROR_NO_DATA;
    return SetTypedValue(value_out, found->second);
}

}  // namespace

SU_RESULT SURenderingOptionsGetNumKeys(SURenderingOptionsRef rendering_options, size_t* count) {
    const RenderingOptions* options = As<RenderingOptions>(rendering_options.ptr);
    if (SUResult r = Begin(options, FailPoint::SURenderingOptionsGetNumKeys, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    *count = options->values.size();
    return SU_ERROR_NONE;
}

SU_RESULT SURenderingOptionsGetKeys(SURenderingOptionsRef rendering_options, size_t len,
                                    SUStringRef keys[], size_t* count) {
    return Guarded([&] {
        const RenderingOptions* options = As<RenderingOptions>(rendering_options.ptr);
        static const std::map<std::string, Value> kNone;
        return GetKeys(options, options ? options->values : kNone,
                       FailPoint::SURenderingOptionsGetKeys, len, keys, count);
    });
}

SU_RESULT SURenderingOptionsGetValue(SURenderingOptionsRef rendering_options, const char* key,
                                     SUTypedValueRef* value_out) {
    return Guarded([&] {
        const RenderingOptions* options = As<RenderingOptions>(rendering_options.ptr);
        static const std::map<std::string, Value> kNone;
        return GetValue(options, options ? options->values : kNone,
                        FailPoint::SURenderingOptionsGetValue, key, value_out);
    });
}

SU_RESULT SUAttributeDictionaryGetName(SUAttributeDictionaryRef ref, SUStringRef* name) {
    return Guarded([&] {
        const AttributeDictionary* dictionary = As<AttributeDictionary>(ref.ptr);
        if (SUResult r = BeginString(dictionary, FailPoint::SUAttributeDictionaryGetName, name);
            r != SU_ERROR_NONE) {
            return r;
        }
        return SetString(name, dictionary->name);
    });
}

SU_RESULT SUAttributeDictionaryGetNumKeys(SUAttributeDictionaryRef ref, size_t* count) {
    const AttributeDictionary* dictionary = As<AttributeDictionary>(ref.ptr);
    if (SUResult r = Begin(dictionary, FailPoint::SUAttributeDictionaryGetNumKeys, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    *count = dictionary->values.size();
    return SU_ERROR_NONE;
}

SU_RESULT SUAttributeDictionaryGetKeys(SUAttributeDictionaryRef ref, size_t len, SUStringRef keys[],
                                       size_t* count) {
    return Guarded([&] {
        const AttributeDictionary* dictionary = As<AttributeDictionary>(ref.ptr);
        static const std::map<std::string, Value> kNone;
        return GetKeys(dictionary, dictionary ? dictionary->values : kNone,
                       FailPoint::SUAttributeDictionaryGetKeys, len, keys, count);
    });
}

SU_RESULT SUAttributeDictionaryGetValue(SUAttributeDictionaryRef ref, const char* key,
                                        SUTypedValueRef* value_out) {
    return Guarded([&] {
        const AttributeDictionary* dictionary = As<AttributeDictionary>(ref.ptr);
        static const std::map<std::string, Value> kNone;
        return GetValue(dictionary, dictionary ? dictionary->values : kNone,
                        FailPoint::SUAttributeDictionaryGetValue, key, value_out);
    });
}
