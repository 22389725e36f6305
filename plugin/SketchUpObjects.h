#pragma once

#include <SketchUpAPI/model/image_rep.h>
#include <SketchUpAPI/model/mesh_helper.h>
#include <SketchUpAPI/model/typed_value.h>
#include <SketchUpAPI/unicodestring.h>

namespace Importing {

// Owns one SketchUp object made by its create call and releases it once, however the scope that
// holds it is left (an allocation that fails after the create included). `ref` is what the
// getters fill; it stays invalid when the create call failed. The arguments of the constructor
// follow the reference in the create call: a mesh helper is made from its face.
template <typename Ref, auto Create, SUResult (*Release)(Ref*)>
class SketchUpObject {
public:
    template <typename... Arguments>
    explicit SketchUpObject(Arguments... arguments) {
        Create(&ref, arguments...);
    }
    SketchUpObject(const SketchUpObject&) = delete;
    SketchUpObject& operator=(const SketchUpObject&) = delete;
    ~SketchUpObject() {
        if (SUIsValid(ref)) Release(&ref);
    }

    bool IsValid() const { return SUIsValid(ref); }

    Ref ref = SU_INVALID;
};

using SketchUpString = SketchUpObject<SUStringRef, SUStringCreate, SUStringRelease>;
using SketchUpTypedValue = SketchUpObject<SUTypedValueRef, SUTypedValueCreate, SUTypedValueRelease>;
using SketchUpImageRep = SketchUpObject<SUImageRepRef, SUImageRepCreate, SUImageRepRelease>;
using SketchUpMeshHelper = SketchUpObject<SUMeshHelperRef, SUMeshHelperCreate, SUMeshHelperRelease>;

}  // namespace Importing
