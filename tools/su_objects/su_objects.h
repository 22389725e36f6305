// Owners for the SketchUp library's initialisation and for the objects an API caller creates
// (strings, typed values, image reps, mesh helpers, models), for the tools, the benchmark and the
// tests. The reader's core has its own, as it builds on nothing but the declarations.
#pragma once

#include <SketchUpAPI/sketchup.h>

#include <string>

namespace suobjects {

// The library initialised for the life of the object.
struct Library {
    Library() { SUInitialize(); }
    ~Library() { SUTerminate(); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

// Owns one object made by its create call and releases it once, when the call made one, however
// the scope that holds it is left. The constructor's arguments follow the reference in the create
// call: a mesh helper is made from its face, a model from its file's path. `result()` is what the
// create call answered.
template <class Ref, auto Create, SUResult (*Release)(Ref*)>
class Owned {
public:
    template <class... Arguments>
    explicit Owned(Arguments... arguments) : result_(Create(&ref_, arguments...)) {}
    ~Owned() {
        if (SUIsValid(ref_)) Release(&ref_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    SUResult result() const { return result_; }
    Ref get() const { return ref_; }
    Ref* out() { return &ref_; }  // for a getter that fills an object the caller created

private:
    Ref ref_ = SU_INVALID;
    SUResult result_;
};

// A string object and its text.
class String : public Owned<SUStringRef, SUStringCreate, SUStringRelease> {
public:
    // The UTF-8 text it holds; empty when it cannot be read.
    std::string Utf8() const {
        size_t length = 0;
        if (SUStringGetUTF8Length(get(), &length) != SU_ERROR_NONE) return {};
        std::string text(length + 1, '\0');
        size_t copied = 0;
        if (SUStringGetUTF8(get(), text.size(), text.data(), &copied) != SU_ERROR_NONE) return {};
        text.resize(copied);
        return text;
    }
};

using TypedValue = Owned<SUTypedValueRef, SUTypedValueCreate, SUTypedValueRelease>;
using ImageRep = Owned<SUImageRepRef, SUImageRepCreate, SUImageRepRelease>;
using MeshHelper = Owned<SUMeshHelperRef, SUMeshHelperCreate, SUMeshHelperRelease>;
using Model = Owned<SUModelRef, SUModelCreateFromFile, SUModelRelease>;

}  // namespace suobjects
