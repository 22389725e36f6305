// Reading SketchUp C API objects for the glTF writer: a refused call throws with its name.
#pragma once

#include <SketchUpAPI/sketchup.h>
#include <su_objects.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace skpmgen {

// Throws with the call's name when the API refuses it.
inline void Check(SUResult result, const char* call) {
    if (result != SU_ERROR_NONE)
        throw std::runtime_error(std::string(call) + " failed (" + std::to_string(result) + ")");
}

// The UTF-8 text of a getter such as SUMaterialGetName.
template <class Ref>
std::string TextOf(SUResult (*get)(Ref, SUStringRef*), Ref ref) {
    suobjects::String text;
    Check(text.result(), "SUStringCreate");
    Check(get(ref, text.out()), "reading a name");
    size_t length = 0;
    Check(SUStringGetUTF8Length(text.get(), &length), "reading a name");
    return text.Utf8();
}

// Every element of a list getter such as SUEntitiesGetFaces.
template <class Parent, class Ref>
std::vector<Ref> ListOf(Parent parent, SUResult (*count)(Parent, size_t*),
                        SUResult (*get)(Parent, size_t, Ref[], size_t*)) {
    size_t n = 0;
    Check(count(parent, &n), "counting entities");
    std::vector<Ref> refs(n);
    if (n > 0) Check(get(parent, n, refs.data(), &n), "listing entities");
    refs.resize(n);
    return refs;
}

}  // namespace skpmgen
