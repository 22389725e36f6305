// Typed values owned by the caller.
#include <SketchUpAPI/model/typed_value.h>

#include "api_support.h"

using namespace skpm;

namespace skpm {

SUResult SetTypedValue(SUTypedValueRef* out, const Value& value) {
    if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    TypedValue* typed = live::Find<TypedValue>(out->ptr);
    if (typed == nullptr) return SU_ERROR_INVALID_OUTPUT;
    typed->value = value;
    return SU_ERROR_NONE;
}

}  // namespace skpm

namespace {

// The value held, if it is of type T.
template <class T>
SUResult Get(SUTypedValueRef ref, T* out) {
    const TypedValue* typed = live::Find<TypedValue>(ref.ptr);
    if (typed == nullptr) return SU_ERROR_INVALID_INPUT;
    if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    const T* held = std::get_if<T>(&typed->value);
    if (held == nullptr) return SU_ERROR_NO_DATA;
    *out = *held;
    return SU_ERROR_NONE;
}

}  // namespace

SU_RESULT SUTypedValueCreate(SUTypedValueRef* typed_value) {
    return Guarded([&] {
        if (typed_value == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
        if (SUIsValid(*typed_value)) return SU_ERROR_OVERWRITE_VALID;
        auto typed = std::make_unique<TypedValue>();
        typed_value->ptr = live::Add(std::move(typed));
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUTypedValueRelease(SUTypedValueRef* typed_value) {
    if (typed_value == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (!live::Release(typed_value->ptr, TypedValue::kLiveType)) return SU_ERROR_INVALID_INPUT;
    SUSetInvalid(*typed_value);
    return SU_ERROR_NONE;
}

SU_RESULT SUTypedValueGetType(SUTypedValueRef typed_value, enum SUTypedValueType* type) {
    const TypedValue* typed = live::Find<TypedValue>(typed_value.ptr);
    if (typed == nullptr) return SU_ERROR_INVALID_INPUT;
    if (type == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    static constexpr SUTypedValueType kTypes[] = {SUTypedValueType_Empty, SUTypedValueType_Bool,
                                                  SUTypedValueType_Int32, SUTypedValueType_Double,
                                                  SUTypedValueType_String};
    static_assert(std::size(kTypes) == std::variant_size_v<Value>);
    *type = kTypes[typed->value.index()];
    return SU_ERROR_NONE;
}

SU_RESULT SUTypedValueGetBool(SUTypedValueRef typed_value, bool* bool_value) {
    return Get(typed_value, bool_value);
}

SU_RESULT SUTypedValueGetInt32(SUTypedValueRef typed_value, int32_t* int32_value) {
    return Get(typed_value, int32_value);
}

SU_RESULT SUTypedValueGetDouble(SUTypedValueRef typed_value, double* double_value) {
    return Get(typed_value, double_value);
}

SU_RESULT SUTypedValueGetString(SUTypedValueRef typed_value, SUStringRef* string_value) {
    return Guarded([&] {
        const TypedValue* typed = live::Find<TypedValue>(typed_value.ptr);
        if (typed == nullptr) return SU_ERROR_INVALID_INPUT;
        if (SUResult check = CheckStringOutput(string_value); check != SU_ERROR_NONE) return check;
        const std::string* held = std::get_if<std::string>(&typed->value);
        if (held == nullptr) return SU_ERROR_NO_DATA;
        return SetString(string_value, *held);
    });
}
