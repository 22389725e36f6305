#pragma once

#include <SketchUpAPI/model/image_rep.h>
#include <SketchUpAPI/model/typed_value.h>
#include <SketchUpAPI/unicodestring.h>

namespace Importing {

// Owns one SketchUp object made by its create call and releases it once. `ref` is what the
// getters fill; it stays null when the create call failed.
template <typename Ref, SUResult (*Create)(Ref*), SUResult (*Release)(Ref*)>
class SketchUpObject {
public:
    SketchUpObject() { Create(&ref); }
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

}  // namespace Importing
