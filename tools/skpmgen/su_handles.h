// Owners and readers for the SketchUp C API objects the glTF writer uses.
#pragma once

#include <SketchUpAPI/sketchup.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace skpmgen {

// Throws with the call's name when the API refuses it.
inline void Check(SUResult result, const char* call) {
    if (result != SU_ERROR_NONE)
        throw std::runtime_error(std::string(call) + " failed (" + std::to_string(result) + ")");
}

// A model opened from a file, released with its objects at the end.
class OpenedModel {
public:
    explicit OpenedModel(const std::string& path) {
        Check(SUModelCreateFromFile(&ref_, path.c_str()), "SUModelCreateFromFile");
    }
    ~OpenedModel() { SUModelRelease(&ref_); }
    OpenedModel(const OpenedModel&) = delete;
    OpenedModel& operator=(const OpenedModel&) = delete;
    SUModelRef get() const { return ref_; }

private:
    SUModelRef ref_ = SU_INVALID;
};

// The UTF-8 text of a getter such as SUMaterialGetName.
template <class Ref>
std::string TextOf(SUResult (*get)(Ref, SUStringRef*), Ref ref) {
    SUStringRef text = SU_INVALID;
    Check(SUStringCreate(&text), "SUStringCreate");
    size_t length = 0;
    SUResult result = get(ref, &text);
    if (result == SU_ERROR_NONE) result = SUStringGetUTF8Length(text, &length);
    std::string out(length + 1, '\0');
    if (result == SU_ERROR_NONE) result = SUStringGetUTF8(text, out.size(), out.data(), &length);
    SUStringRelease(&text);
    Check(result, "reading a name");
    out.resize(length);
    return out;
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
