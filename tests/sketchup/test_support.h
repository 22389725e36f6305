// Shared helpers of the SketchUpAPI tests: documents opened from a temporary folder, getters
// asked in one call, and the objects of the rich document.
#pragma once

#include <SketchUpAPI/sketchup.h>
#include <gtest/gtest.h>
#include <skpm/document_error.h>
#include <su_objects.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace sutest {

using Json = nlohmann::json;

// A model opened from a file, with the result and SKPMGetLastOpenError().
class Model : public suobjects::Model {
public:
    explicit Model(const std::string& path)
        : suobjects::Model(path.c_str()), error_(SKPMGetLastOpenError()) {}
    const std::string& error() const { return error_; }

private:
    std::string error_;
};

// A document (a JSON value or its text) written into a temporary folder and opened.
class DocumentModel : private testsupport::TempFolder, public Model {
public:
    explicit DocumentModel(const Json& document) : DocumentModel(document.dump()) {}
    explicit DocumentModel(const std::string& text) : Model(Write("model.skpm", text)) {}
};

using suobjects::ImageRep;
using suobjects::String;
using suobjects::TypedValue;

// What a getter such as SUGroupGetTransform answers about `ref`, asserting success; Ask answers
// only the result.
template <class Ref, class Answer>
Answer Get(SUResult (*get)(Ref, Answer*), Ref ref) {
    Answer answer = {};
    EXPECT_EQ(get(ref, &answer), SU_ERROR_NONE);
    return answer;
}
template <class Ref, class Answer>
SUResult Ask(SUResult (*get)(Ref, Answer*), Ref ref) {
    Answer answer = {};
    return get(ref, &answer);
}
// The text a getter such as SULayerGetName answers, asserting success.
template <class Ref>
std::string TextOf(SUResult (*get)(Ref, SUStringRef*), Ref ref) {
    String text;
    EXPECT_EQ(get(ref, text.out()), SU_ERROR_NONE);
    return text.Utf8();
}
// Everything a list getter holds, asking for the count first.
template <class Parent, class Ref>
std::vector<Ref> List(Parent parent, SUResult (*count)(Parent, size_t*),
                      SUResult (*get)(Parent, size_t, Ref[], size_t*)) {
    std::vector<Ref> refs(Get(count, parent));
    size_t n = 0;
    EXPECT_EQ(get(parent, refs.size(), refs.data(), &n), SU_ERROR_NONE);
    EXPECT_EQ(n, refs.size());
    return refs;
}

// All a mesh helper of `face` answers, each read checked to fill what it was given.
struct Mesh {
    std::vector<SUPoint3D> vertices, front, back;
    std::vector<SUVector3D> normals;
    std::vector<size_t> indices;
};
Mesh ReadMesh(SUFaceRef face);
std::vector<SUByte> Pixels(SUImageRepRef rep);

inline const Json kMinimalDocument = {{"modelDocument", 1}};  // tests add what they exercise
Json RichDocument();  // documents/rich.skpm: one of everything

// A document (RichDocument() unless given) opened, with its objects in document order, fetched
// without the count calls so that fault injection may make those fail.
struct Rich {
    explicit Rich(const Json& document = RichDocument());
    DocumentModel model;
    SUEntitiesRef root = SU_INVALID, chairEntities = SU_INVALID;
    SUFaceRef faces[2] = {}, chairFaces[2] = {};
    SUGroupRef group = SU_INVALID;
    SUComponentInstanceRef instances[2] = {};
    SUImageRef image = SU_INVALID;
    SULayerRef layers[3] = {};
    SUComponentDefinitionRef chair = SU_INVALID;
    SUMaterialRef materials[3] = {};
    SUMaterialRef &brick = materials[0], &tinted = materials[1], &plain = materials[2];
};
SUTextureRef TextureOf(SUMaterialRef material);

}  // namespace sutest
