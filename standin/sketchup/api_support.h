// Helpers shared by the C API functions: checking references, filling caller arrays and
// caller-created output objects.
#pragma once

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <vector>

#include "live_objects.h"
#include "objects.h"

namespace skpm {

// The model object a reference points at, if it is of a type T accepts; null otherwise. Model
// objects are not registered: a dangling reference is the caller's error, as with the real
// library.
template <class T>
const T* As(const void* pointer) {
    if (pointer == nullptr) return nullptr;
    const auto* object = static_cast<const Object*>(pointer);
    return T::Accepts(object->type) ? static_cast<const T*>(object) : nullptr;
}

// The object a reference points at, if its type is one `Kind` accepts (a category of types such
// as "any entity"); null otherwise.
template <class Kind>
const Object* AsKind(const void* pointer) {
    if (pointer == nullptr) return nullptr;
    const auto* object = static_cast<const Object*>(pointer);
    return Kind::Accepts(object->type) ? object : nullptr;
}

template <class Ref>
Ref RefTo(const Object* object) {
    Ref ref;
    ref.ptr = const_cast<Object*>(object);
    return ref;
}

// Fills refs[0..len) with references to items, in order, and *count with how many.
template <class Ref, class T>
SUResult FillRefs(const std::vector<T>& items, size_t len, Ref refs[], size_t* count) {
    if (count == nullptr || (refs == nullptr && len > 0)) return SU_ERROR_NULL_POINTER_OUTPUT;
    const size_t n = std::min(len, items.size());
    for (size_t i = 0; i < n; ++i) {
        if constexpr (std::is_pointer_v<T>) {
            refs[i] = RefTo<Ref>(items[i]);
        } else {
            refs[i] = RefTo<Ref>(&items[i]);
        }
    }
    *count = n;
    return SU_ERROR_NONE;
}

template <class T>
SUResult WriteCount(const std::vector<T>& items, size_t* count) {
    if (count == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *count = items.size();
    return SU_ERROR_NONE;
}

// Sets the text of a string the caller created: SU_ERROR_NULL_POINTER_OUTPUT for a null pointer,
// SU_ERROR_INVALID_OUTPUT when *out is not a live string.
SUResult SetString(SUStringRef* out, std::string_view utf8);
// Copies a value into a typed value the caller created, with the same answers as SetString.
SUResult SetTypedValue(SUTypedValueRef* out, const Value& value);
// The same checks without writing, for getters that must check before they compute.
SUResult CheckStringOutput(const SUStringRef* out);

// The checks every getter makes, in the real library's order: the input reference
// (SU_ERROR_INVALID_INPUT), then each output pointer (SU_ERROR_NULL_POINTER_OUTPUT), then the
// document's injected failure for this function.
template <class T>
SUResult Begin(const T* object, FailPoint point, std::initializer_list<const void*> outputs) {
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    for (const void* output : outputs) {
        if (output == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    }
    return object->fails.Check(point);
}

// Like Begin, for a getter that fills a string the caller created.
template <class T>
SUResult BeginString(const T* object, FailPoint point, const SUStringRef* out) {
    if (object == nullptr) return SU_ERROR_INVALID_INPUT;
    if (SUResult check = CheckStringOutput(out); check != SU_ERROR_NONE) return check;
    return object->fails.Check(point);
}

// Runs `body`, answering SU_ERROR_GENERIC if it throws (allocation failure): no exception
// crosses the C boundary.
template <class Body>
SUResult Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return SU_ERROR_GENERIC;
    }
}

}  // namespace skpm
