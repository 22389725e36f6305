#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

namespace sutest {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("sketchup_tests_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;  // a folder left behind in /tmp is harmless
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << file;
    return file.string();
}

Model::Model(const std::string& path)
    : result_(SUModelCreateFromFile(&ref_, path.c_str())), error_(SKPMGetLastOpenError()) {}

Model::~Model() {
    if (SUIsValid(ref_)) {
        EXPECT_EQ(SUModelRelease(&ref_), SU_ERROR_NONE);
    }
}

DocumentModel::DocumentModel(const Json& document) : DocumentModel(document.dump()) {}

DocumentModel::DocumentModel(const std::string& text) : model_(dir_.Write("model.skpm", text)) {}

String::String() {
    EXPECT_EQ(SUStringCreate(&ref_), SU_ERROR_NONE);
}
String::~String() {
    EXPECT_EQ(SUStringRelease(&ref_), SU_ERROR_NONE);
}

std::string String::Utf8() const {
    size_t length = 0;
    EXPECT_EQ(SUStringGetUTF8Length(ref_, &length), SU_ERROR_NONE);
    std::string text(length + 1, '\0');
    size_t copied = 0;
    EXPECT_EQ(SUStringGetUTF8(ref_, text.size(), text.data(), &copied), SU_ERROR_NONE);
    text.resize(copied);
    return text;
}

TypedValue::TypedValue() {
    EXPECT_EQ(SUTypedValueCreate(&ref_), SU_ERROR_NONE);
}
TypedValue::~TypedValue() {
    EXPECT_EQ(SUTypedValueRelease(&ref_), SU_ERROR_NONE);
}

ImageRep::ImageRep() {
    EXPECT_EQ(SUImageRepCreate(&ref_), SU_ERROR_NONE);
}
ImageRep::~ImageRep() {
    EXPECT_EQ(SUImageRepRelease(&ref_), SU_ERROR_NONE);
}

Json MinimalDocument() {
    return Json{{"modelDocument", 1}};
}

Json Square(double size) {
    return Json{{"outer", {{0, 0, 0}, {size, 0, 0}, {size, size, 0}, {0, size, 0}}}};
}

Json RichDocument() {
    return Json::parse(R"({
      "modelDocument": 1,
      "version": [23, 1, 340],
      "renderingOptions": { "DisplayColorByLayer": true, "EdgeDisplayMode": 3,
                            "FogDensity": 0.25, "Style": "Hidden line" },
      "layers": [ { "name": "Layer0" },
                  { "name": "Walls", "material": "Brick" },
                  { "name": "Ghosts", "visible": false } ],
      "defaultLayer": "Layer0",
      "materials": [
        { "name": "Brick", "color": [200, 100, 50, 255],
          "texture": { "file": "C:\\tex\\brick.png", "sScale": 0.5, "tScale": 0.25,
                       "pixels": { "width": 2, "height": 1, "bitsPerPixel": 24,
                                   "data": "AAD/AP8A" } } },
        { "name": "*2", "color": [10, 20, 30, 128], "type": "colorized",
          "texture": { "pixels": { "width": 1, "height": 2, "bitsPerPixel": 32,
                                   "data": "/4CAgAAAAP8=" } },
          "attributes": [ { "dictionary": "Kaleth Material Settings",
                            "values": { "SurfaceTypeId": 2, "KalethLibraryId": "stone-12",
                                        "Shiny": true, "Roughness": 0.5 } },
                          { "dictionary": "Kaleth Material Settings", "values": {} } ] },
        { "name": "Grün 🌲" }
      ],
      "definitions": [
        { "name": "Chair", "kind": "component", "entities": {
            "faces": [ { "outer": [[0,0,0],[4,0,0],[4,2,0],[2,1,0],[0,2,0]], "front": "Brick" },
                       { "outer": [[0,0,0],[0,0,6],[0,6,6],[0,6,0]],
                         "holes": [[[0,2,2],[0,4,2],[0,4,4],[0,2,4]]], "back": "*2" } ] } },
        { "name": "Room", "kind": "group", "entities": {
            "faces": [ { "outer": [[0,0,0],[10,0,0],[10,10,0],[0,10,0]], "layer": "Walls" } ],
            "instances": [ { "definition": "Chair",
                             "transform": [1,0,0,0, 0,1,0,0, 0,0,1,0, 5,5,0,1] } ] } },
        { "name": "Photo", "kind": "image", "entities": {
            "faces": [ { "outer": [[0,0,0],[3,0,0],[3,2,0],[0,2,0]], "front": "Brick" } ] } }
      ],
      "entities": {
        "faces": [ { "outer": [[0,0,0],[8,0,0],[8,8,0],[0,8,0]], "hidden": true, "layer": null },
                   { "outer": [[0,0,1],[1,0,1],[0,1,1]], "front": "*2",
                     "frontSTQ": [[0,0,1],[2,0,2],[0,3,0]] } ],
        "groups": [ { "definition": "Room", "material": "Brick", "layer": "Ghosts",
                      "transform": [0,1,0,0, -1,0,0,0, 0,0,1,0, 100,0,0,1] } ],
        "instances": [ { "definition": "Chair", "hidden": true },
                       { "definition": "Chair", "material": "*2",
                         "transform": [-1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1] } ],
        "images": [ { "definition": "Photo",
                      "transform": [2,0,0,0, 0,2,0,0, 0,0,1,0, 7,8,9,1] } ]
      }
    })");
}

SUEntitiesRef RootEntities(SUModelRef model) {
    SUEntitiesRef entities = SU_INVALID;
    EXPECT_EQ(SUModelGetEntities(model, &entities), SU_ERROR_NONE);
    return entities;
}

SUFaceRef FirstFace(SUEntitiesRef entities) {
    SUFaceRef face = SU_INVALID;
    size_t count = 0;
    EXPECT_EQ(SUEntitiesGetFaces(entities, 1, &face, &count), SU_ERROR_NONE);
    EXPECT_EQ(count, 1u);
    return face;
}

std::string MaterialName(SUMaterialRef material) {
    String name;
    EXPECT_EQ(SUMaterialGetNameLegacyBehavior(material, name.out()), SU_ERROR_NONE);
    return name.Utf8();
}

SUMaterialRef MaterialNamed(SUModelRef model, const std::string& name) {
    SUMaterialRef materials[16];
    size_t count = 0;
    EXPECT_EQ(SUModelGetMaterials(model, 16, materials, &count), SU_ERROR_NONE);
    for (size_t i = 0; i < count; ++i) {
        if (MaterialName(materials[i]) == name) return materials[i];
    }
    ADD_FAILURE() << "no material " << name;
    return SU_INVALID;
}

}  // namespace sutest
