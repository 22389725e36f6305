// Owners for the objects a C API caller creates, and text out of them.
#pragma once

#include <SketchUpAPI/sketchup.h>

#include <string>

namespace skpinfo {

// A string object, released on destruction.
class SuString {
public:
    SuString() { SUStringCreate(&ref_); }
    ~SuString() { SUStringRelease(&ref_); }
    SuString(const SuString&) = delete;
    SuString& operator=(const SuString&) = delete;
    SUStringRef* out() { return &ref_; }
    std::string Utf8() const {
        size_t length = 0;
        if (SUStringGetUTF8Length(ref_, &length) != SU_ERROR_NONE) return {};
        std::string text(length + 1, '\0');
        size_t copied = 0;
        if (SUStringGetUTF8(ref_, text.size(), text.data(), &copied) != SU_ERROR_NONE) return {};
        text.resize(copied);
        return text;
    }

private:
    SUStringRef ref_ = SU_INVALID;
};

// A mesh helper, released on destruction.
class SuMeshHelper {
public:
    explicit SuMeshHelper(SUFaceRef face) : result_(SUMeshHelperCreate(&ref_, face)) {}
    ~SuMeshHelper() {
        if (SUIsValid(ref_)) SUMeshHelperRelease(&ref_);
    }
    SuMeshHelper(const SuMeshHelper&) = delete;
    SuMeshHelper& operator=(const SuMeshHelper&) = delete;
    SUResult result() const { return result_; }
    SUMeshHelperRef get() const { return ref_; }

private:
    SUMeshHelperRef ref_ = SU_INVALID;
    SUResult result_;
};

}  // namespace skpinfo
