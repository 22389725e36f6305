// Shared helpers of the SketchUpAPI tests: documents written to a temporary folder, models that
// release themselves, and text out of string objects.
#pragma once

#include <SketchUpAPI/sketchup.h>
#include <skpm/document_error.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

namespace sutest {

using Json = nlohmann::json;

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `name` inside the folder and answers the full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// A model opened from a file; released on destruction.
class Model {
public:
    explicit Model(const std::string& path);
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    SUResult result() const { return result_; }
    const std::string& error() const { return error_; }  // SKPMGetLastOpenError after the open
    SUModelRef get() const { return ref_; }

private:
    SUModelRef ref_ = SU_INVALID;
    SUResult result_;
    std::string error_;
};

// Writes `document` into a temporary folder and opens it.
class DocumentModel {
public:
    explicit DocumentModel(const Json& document);
    explicit DocumentModel(const std::string& text);
    SUResult result() const { return model_.result(); }
    const std::string& error() const { return model_.error(); }
    SUModelRef get() const { return model_.get(); }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    Model model_;
};

// A string object, released on destruction.
class String {
public:
    String();
    ~String();
    String(const String&) = delete;
    String& operator=(const String&) = delete;
    SUStringRef* out() { return &ref_; }
    SUStringRef get() const { return ref_; }
    std::string Utf8() const;

private:
    SUStringRef ref_ = SU_INVALID;
};

// A typed value, released on destruction.
class TypedValue {
public:
    TypedValue();
    ~TypedValue();
    TypedValue(const TypedValue&) = delete;
    TypedValue& operator=(const TypedValue&) = delete;
    SUTypedValueRef* out() { return &ref_; }
    SUTypedValueRef get() const { return ref_; }

private:
    SUTypedValueRef ref_ = SU_INVALID;
};

// An image rep, released on destruction.
class ImageRep {
public:
    ImageRep();
    ~ImageRep();
    ImageRep(const ImageRep&) = delete;
    ImageRep& operator=(const ImageRep&) = delete;
    SUImageRepRef* out() { return &ref_; }
    SUImageRepRef get() const { return ref_; }

private:
    SUImageRepRef ref_ = SU_INVALID;
};

// The smallest valid document, to which tests add what they exercise.
Json MinimalDocument();
// A unit square in the z = 0 plane, counter-clockwise seen from +z.
Json Square(double size = 10);
// A document that holds one of everything: the walk of the concurrency test and the answers of
// several others are taken from it.
Json RichDocument();

// The root entities of a model, asserting success.
SUEntitiesRef RootEntities(SUModelRef model);
SUFaceRef FirstFace(SUEntitiesRef entities);
SUMaterialRef MaterialNamed(SUModelRef model, const std::string& name);

std::string MaterialName(SUMaterialRef material);

}  // namespace sutest
