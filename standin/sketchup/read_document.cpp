// The top level of a model document: format, version, options, layers and the order in which
// the parts are read.
#include "read_document.h"

#include <skptext/file_path.h>

#include <limits>

#include "file_bytes.h"
#include "reader_context.h"
#include "refusal.h"

namespace skpm {
namespace {

void ReadFormat(const Fields& fields) {
    const Json& format = fields.Require("modelDocument");
    if (!IsInteger(format)) ReadInteger(format, fields.At("modelDocument"), 1, 1);
    if (format.type() != simdjson::dom::element_type::INT64 || format.get_int64().value() != 1) {
        Refuse(fields.At("modelDocument"),
               "model document format " + IntegerText(format) + " is not supported (only 1 is)",
               SU_ERROR_MODEL_VERSION);
    }
}

std::array<int, 3> ReadVersion(const Json& node, const Place& where) {
    const JsonArray parts = ReadArray(node, where);
    if (parts.size() != 3) {
        Refuse(where, "expected major, minor and build, found " + std::to_string(parts.size()) +
                          " values");
    }
    constexpr int64_t kMax = std::numeric_limits<int>::max();
    std::array<int, 3> version{};
    size_t i = 0;
    for (const Json part : parts) {
        version[i] = static_cast<int>(ReadInteger(part, Place(where, i), 0, kMax));
        ++i;
    }
    return version;
}

void ReadLayers(const Json& node, const Place& where, ReaderContext& context) {
    const JsonArray items = ReadArray(node, where);
    // Sized once: elements point into this vector.
    context.model.layers.resize(items.size());
    size_t i = 0;
    for (const Json item : items) {
        const Fields fields(item, Place(where, i), {"name", "visible", "material", "fail"});
        Layer& layer = context.model.layers[i++];
        layer.name = ReadString(fields.Require("name"), fields.At("name"));
        if (!context.layers.emplace(layer.name, &layer).second) {
            Refuse(fields.At("name"), "another layer is named \"" + layer.name + "\"");
        }
        if (const Json* visible = fields.Find("visible"))
            layer.visible = ReadBool(*visible, fields.At("visible"));
        layer.material = FindMaterial(fields.Find("material"), fields.At("material"), context);
        if (const Json* fail = fields.Find("fail")) {
            layer.fails = ReadFailList(*fail, fields.At("fail"), kLayerOwner);
        }
    }
}

const Layer* ReadDefaultLayer(const Json* node, const Place& where, const ReaderContext& context) {
    if (node == nullptr) return context.model.layers.empty() ? nullptr : &context.model.layers[0];
    const std::string name = ReadString(*node, where);
    auto found = context.layers.find(name);
    if (found == context.layers.end()) Refuse(where, "no layer is named \"" + name + "\"");
    return found->second;
}

}  // namespace

std::unique_ptr<Model> ReadModelDocument(std::string_view text,
                                         const std::filesystem::path& folder) {
    simdjson::dom::parser parser;
    const Json document = ParseStrictJson(text, parser);
    if (!document.is_object())
        Refuse("", "a model document is a JSON object", SU_ERROR_SERIALIZATION);
    const Place root;
    const Fields fields(document, root,
                        {"modelDocument", "version", "renderingOptions", "layers", "defaultLayer",
                         "materials", "definitions", "entities", "fail"});
    ReadFormat(fields);

    auto model = std::make_unique<Model>();
    ReaderContext context{*model, folder, {}, {}, {}, {}, {}};
    if (const Json* fail = fields.Find("fail")) {
        model->fails = ReadFailList(*fail, fields.At("fail"), kDocumentOwner);
    }
    // The document's list governs the model-level objects that have none of their own.
    model->renderingOptions.fails = model->fails;
    model->entities.fails = model->fails;
    if (const Json* version = fields.Find("version"))
        model->version = ReadVersion(*version, fields.At("version"));
    if (const Json* options = fields.Find("renderingOptions")) {
        model->renderingOptions.values = ReadValueMap(*options, fields.At("renderingOptions"));
    }
    if (const Json* materials = fields.Find("materials"))
        ReadMaterials(*materials, fields.At("materials"), context);
    if (const Json* layers = fields.Find("layers"))
        ReadLayers(*layers, fields.At("layers"), context);
    model->defaultLayer =
        ReadDefaultLayer(fields.Find("defaultLayer"), fields.At("defaultLayer"), context);
    if (const Json* definitions = fields.Find("definitions")) {
        ReadDefinitions(*definitions, fields.At("definitions"), context);
    }
    if (const Json* entities = fields.Find("entities")) {
        ReadEntities(*entities, fields.At("entities"), context, model->entities);
    }
    CheckDefinitionGraph(*model);
    BuildFaceMeshes(context.faceJobs);
    return model;
}

namespace {

void DisarmEntities(Entities& entities) {
    entities.fails.Disarm();
    for (Face& face : entities.faces) face.fails.Disarm();
    for (auto* placements : {&entities.groups, &entities.instances, &entities.images}) {
        for (Placement& placement : *placements) placement.fails.Disarm();
    }
}

}  // namespace

void DisarmFaults(Model& model) {
    model.fails.Disarm();
    model.renderingOptions.fails.Disarm();
    DisarmEntities(model.entities);
    for (Layer& layer : model.layers) layer.fails.Disarm();
    for (Material& material : model.materials) {
        material.fails.Disarm();
        if (material.texture) material.texture->fails.Disarm();
        for (AttributeDictionary& dictionary : material.dictionaries) dictionary.fails.Disarm();
    }
    for (Definition& definition : model.definitions) {
        definition.fails.Disarm();
        DisarmEntities(definition.entities);
    }
}

std::unique_ptr<Model> ReadModelFile(const std::string& utf8Path) {
    std::string bytes, reason;
    if (!ReadRegularFile(utf8Path, kMaxDocumentBytes, bytes, reason)) {
        throw DocumentRefusal(SU_ERROR_SERIALIZATION, "cannot read " + utf8Path + ": " + reason);
    }
    if (IsSketchUpBinary(bytes)) {
        throw DocumentRefusal(SU_ERROR_SERIALIZATION,
                              utf8Path +
                                  " is a SketchUp binary file (.skp), which this library "
                                  "does not read; it reads model documents (JSON)");
    }
    const std::filesystem::path folder = skptext::PathFromUtf8(utf8Path).parent_path();
    return ReadModelDocument(bytes, folder);
}

}  // namespace skpm
