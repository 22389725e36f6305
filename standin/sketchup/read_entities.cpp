// Definitions and entity collections: faces, groups, component instances and images.
#include "reader_context.h"
#include "refusal.h"

namespace skpm {
namespace {

const char* KindName(DefinitionKind kind) {
    switch (kind) {
        case DefinitionKind::kComponent:
            return "component";
        case DefinitionKind::kGroup:
            return "group";
        case DefinitionKind::kImage:
            return "image";
    }
    return "?";
}

DefinitionKind ReadKind(const Json& node, const Place& where) {
    const std::string kind = ReadString(node, where);
    if (kind == "component") return DefinitionKind::kComponent;
    if (kind == "group") return DefinitionKind::kGroup;
    if (kind == "image") return DefinitionKind::kImage;
    Refuse(where, "unknown definition kind \"" + kind + "\" (known: component, group, image)");
}

// Layer reference: absent is the default layer, null is none.
const Layer* FindLayer(const Json* node, const Place& where, const ReaderContext& context) {
    if (node == nullptr) return context.model.defaultLayer;
    if (node->is_null()) return nullptr;
    const std::string name = ReadString(*node, where);
    auto found = context.layers.find(name);
    if (found == context.layers.end()) Refuse(where, "no layer is named \"" + name + "\"");
    return found->second;
}

void ReadElement(const Fields& fields, const ReaderContext& context, Element& element) {
    element.layer = FindLayer(fields.Find("layer"), fields.At("layer"), context);
    if (const Json* hidden = fields.Find("hidden")) {
        element.hidden = ReadBool(*hidden, fields.At("hidden"));
    }
}

void ReadFace(const Json& node, const Place& where, const std::string& entitiesWhere, size_t index,
              ReaderContext& context, Face& face) {
    const Fields fields(
        node, where,
        {"outer", "holes", "front", "back", "layer", "hidden", "frontSTQ", "backSTQ", "fail"});
    ReadElement(fields, context, face);
    face.material = FindMaterial(fields.Find("front"), fields.At("front"), context);
    face.back = FindMaterial(fields.Find("back"), fields.At("back"), context);
    if (const Json* fail = fields.Find("fail")) {
        face.fails = ReadFailList(*fail, fields.At("fail"), kFaceOwner);
    }
    FaceJob job{&face, &entitiesWhere,
                index, ReadTriples(fields.Require("outer"), fields.At("outer")),
                {},    {},
                {}};
    size_t points = job.outer.size();
    if (const Json* holes = fields.Find("holes")) {
        const Place holesWhere = fields.At("holes");
        for (const Json loop : ReadArray(*holes, holesWhere)) {
            job.holes.push_back(ReadTriples(loop, Place(holesWhere, job.holes.size())));
            points += job.holes.back().size();
        }
    }
    for (const char* key : {"frontSTQ", "backSTQ"}) {
        const Json* stqNode = fields.Find(key);
        if (stqNode == nullptr) continue;
        std::vector<Vec3> stq = ReadTriples(*stqNode, fields.At(key));
        if (stq.size() != points) {
            Refuse(fields.At(key), std::to_string(stq.size()) + " triples for a face of " +
                                       std::to_string(points) + " loop points");
        }
        (key == std::string_view("frontSTQ") ? job.frontSTQ : job.backSTQ) = std::move(stq);
    }
    context.faceJobs.push_back(std::move(job));
}

void ReadPlacement(const Json& node, const Place& where, ReaderContext& context,
                   DefinitionKind kind, Placement& placement) {
    const Fields fields(node, where,
                        {"definition", "transform", "material", "layer", "hidden", "fail"});
    const std::string name = ReadString(fields.Require("definition"), fields.At("definition"));
    auto found = context.definitions.find(name);
    if (found == context.definitions.end()) {
        Refuse(fields.At("definition"), "no definition is named \"" + name + "\"");
    }
    if (found->second->kind != kind) {
        Refuse(fields.At("definition"), "\"" + name + "\" is a " + KindName(found->second->kind) +
                                            " definition; a " + KindName(kind) +
                                            " definition is needed here");
    }
    placement.definition = found->second;
    placement.transform = SUTransformation{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    if (const Json* transform = fields.Find("transform")) {
        placement.transform = ReadTransform(*transform, fields.At("transform"));
    }
    placement.material = FindMaterial(fields.Find("material"), fields.At("material"), context);
    ReadElement(fields, context, placement);
    if (const Json* fail = fields.Find("fail")) {
        const FailOwner owner = kind == DefinitionKind::kGroup       ? kGroupOwner
                                : kind == DefinitionKind::kComponent ? kInstanceOwner
                                                                     : kImageOwner;
        placement.fails = ReadFailList(*fail, fields.At("fail"), owner);
    }
}

void ReadPlacements(const Json& node, const Place& where, ReaderContext& context, SURefType type,
                    DefinitionKind kind, std::vector<Placement>& placements) {
    const JsonArray items = ReadArray(node, where);
    placements.reserve(items.size());
    for (const Json item : items) {
        const Place at(where, placements.size());
        placements.emplace_back(type);
        ReadPlacement(item, at, context, kind, placements.back());
    }
}

}  // namespace

void ReadEntities(const Json& node, const Place& where, ReaderContext& context,
                  Entities& entities) {
    const Fields fields(node, where, {"faces", "groups", "instances", "images"});
    if (const Json* faces = fields.Find("faces")) {
        const Place facesWhere = fields.At("faces");
        const JsonArray items = ReadArray(*faces, facesWhere);
        const std::string& entitiesWhere = context.entitiesWheres.emplace_back(where.Text());
        // Reserved once: face jobs point at the faces until they are tessellated.
        entities.faces.reserve(items.size());
        for (const Json item : items) {
            const size_t i = entities.faces.size();
            entities.faces.emplace_back();
            ReadFace(item, Place(facesWhere, i), entitiesWhere, i, context, entities.faces.back());
        }
    }
    if (const Json* groups = fields.Find("groups")) {
        ReadPlacements(*groups, fields.At("groups"), context, SURefType_Group,
                       DefinitionKind::kGroup, entities.groups);
    }
    if (const Json* instances = fields.Find("instances")) {
        ReadPlacements(*instances, fields.At("instances"), context, SURefType_ComponentInstance,
                       DefinitionKind::kComponent, entities.instances);
    }
    if (const Json* images = fields.Find("images")) {
        ReadPlacements(*images, fields.At("images"), context, SURefType_Image,
                       DefinitionKind::kImage, entities.images);
    }
}

void ReadDefinitions(const Json& node, const Place& where, ReaderContext& context) {
    const JsonArray items = ReadArray(node, where);
    Model& model = context.model;
    // Sized once: placements point into this vector.
    model.definitions.resize(items.size());
    // Names and kinds first, so that definitions may place ones listed after them.
    size_t i = 0;
    for (const Json item : items) {
        const Fields fields(item, Place(where, i), {"name", "kind", "entities", "fail"});
        Definition& definition = model.definitions[i++];
        definition.name = ReadString(fields.Require("name"), fields.At("name"));
        if (!context.definitions.emplace(definition.name, &definition).second) {
            Refuse(fields.At("name"), "another definition is named \"" + definition.name + "\"");
        }
        definition.kind = ReadKind(fields.Require("kind"), fields.At("kind"));
        if (const Json* fail = fields.Find("fail")) {
            definition.fails = ReadFailList(*fail, fields.At("fail"), kDefinitionOwner);
        }
        // The definition's list also governs calls on its entities.
        definition.entities.fails = definition.fails;
        if (definition.kind == DefinitionKind::kComponent) {
            model.componentDefinitions.push_back(&definition);
        } else if (definition.kind == DefinitionKind::kGroup) {
            model.groupDefinitions.push_back(&definition);
        }
    }
    i = 0;
    for (const Json item : items) {
        Json entities;
        if (item.at_key("entities").get(entities) == simdjson::SUCCESS) {
            ReadEntities(entities, Place(Place(where, i), "entities"), context,
                         model.definitions[i].entities);
        }
        ++i;
    }
}

}  // namespace skpm
