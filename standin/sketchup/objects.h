// The in-memory model behind the C API. A model is built completely by the document reader and
// never changes afterwards, so any number of threads may read it at once without locks.
// Every object starts with an Object header whose type is the SURefType the API reports; a
// reference's pointer is always the address of that header.
#pragma once

#include <SketchUpAPI/color.h>
#include <SketchUpAPI/model/defs.h>
#include <SketchUpAPI/model/material.h>
#include <SketchUpAPI/transformation.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fail_points.h"
#include "image.h"
#include "tessellate.h"
#include "typed_value.h"

namespace skpm {

struct Object {
    explicit Object(SURefType t) : type(t) {}
    SURefType type;
    // Functions the document makes fail when asked about this object.
    FailSet fails;
};

struct Material;
struct Definition;

struct AttributeDictionary : Object {
    AttributeDictionary() : Object(SURefType_AttributeDictionary) {}
    static bool Accepts(SURefType t) { return t == SURefType_AttributeDictionary; }
    std::string name;
    std::map<std::string, Value> values;  // sorted by key
};

struct Texture : Object {
    Texture() : Object(SURefType_Texture) {}
    static bool Accepts(SURefType t) { return t == SURefType_Texture; }
    const Material* material = nullptr;  // the owner, whose colour tints the colourised image
    std::string fileName;
    std::shared_ptr<const Image> image;  // decoded once, while reading
    size_t width = 0, height = 0;        // what SUTextureGetDimensions reports
    double sScale = 1, tScale = 1;
};

struct Material : Object {
    Material() : Object(SURefType_Material) {}
    static bool Accepts(SURefType t) { return t == SURefType_Material; }
    std::string name;
    std::optional<SUColor> color;
    SUMaterialType materialType = SUMaterialType_Colored;
    std::unique_ptr<Texture> texture;
    std::vector<AttributeDictionary> dictionaries;
};

struct Layer : Object {
    Layer() : Object(SURefType_Layer) {}
    static bool Accepts(SURefType t) { return t == SURefType_Layer; }
    std::string name;
    bool visible = true;
    const Material* material = nullptr;
};

// A drawing element: face, group, component instance or image.
struct Element : Object {
    using Object::Object;
    static bool Accepts(SURefType t) {
        return t == SURefType_Face || t == SURefType_Group || t == SURefType_ComponentInstance ||
               t == SURefType_Image;
    }
    const Layer* layer = nullptr;
    const Material* material = nullptr;  // a face's front material
    bool hidden = false;
};

struct Face : Element {
    Face() : Element(SURefType_Face) {}
    static bool Accepts(SURefType t) { return t == SURefType_Face; }
    const Material* back = nullptr;
    FaceMesh mesh;                        // vertices in inches
    std::vector<Vec3> frontSTQ, backSTQ;  // one s, t, q triple per mesh vertex
};

// A group, component instance or image: a definition placed with a transform.
struct Placement : Element {
    explicit Placement(SURefType t) : Element(t) {}
    const Definition* definition = nullptr;
    SUTransformation transform{};
};

struct Entities : Object {
    Entities() : Object(SURefType_Entities) {}
    static bool Accepts(SURefType t) { return t == SURefType_Entities; }
    std::vector<Face> faces;
    std::vector<Placement> groups, instances, images;
};

enum class DefinitionKind { kComponent, kGroup, kImage };

struct Definition : Object {
    Definition() : Object(SURefType_ComponentDefinition) {}
    static bool Accepts(SURefType t) { return t == SURefType_ComponentDefinition; }
    std::string name;
    DefinitionKind kind = DefinitionKind::kComponent;
    Entities entities;
};

struct RenderingOptions : Object {
    RenderingOptions() : Object(SURefType_RenderingOptions) {}
    static bool Accepts(SURefType t) { return t == SURefType_RenderingOptions; }
    std::map<std::string, Value> values;  // sorted by name
};

struct Model : Object {
    Model() : Object(SURefType_Model) {}
    static bool Accepts(SURefType t) { return t == SURefType_Model; }
    static constexpr SURefType kLiveType = SURefType_Model;  // made and released by the caller
    std::optional<std::array<int, 3>> version;
    RenderingOptions renderingOptions;
    std::vector<Layer> layers;
    const Layer* defaultLayer = nullptr;
    std::vector<Material> materials;
    std::vector<Definition> definitions;  // sized once, so pointers into it stay valid
    std::vector<const Definition*> componentDefinitions, groupDefinitions;
    Entities entities;
};

}  // namespace skpm
