#include "model_summary.h"

#include <skpm/document_error.h>
#include <su_objects.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <string_view>

namespace skpinfo {
namespace {

using Calls = std::initializer_list<std::string_view>;

// A definition reached through images, and the fail list that would keep a caller from reaching
// it (null when some path to it is clear).
struct ImageDefinition {
    SUComponentDefinitionRef definition;
    FaultList* cutBy;
};

// Walks a model whose fault injection is left out, counting what it holds. Where an object's
// fail list names a call the walk makes, what the walk counts below that call is also charged to
// the list, as what a caller would not see.
class Walker {
public:
    explicit Walker(ModelSummary& summary) : summary_(summary) {}

    ~Walker() { summary_.faultLists.assign(lists_.begin(), lists_.end()); }

    // True on success; remembers real failures (NO_DATA is an ordinary "there is none").
    bool Ok(SUResult result, const char* call) {
        if (result == SU_ERROR_NONE) return true;
        if (result != SU_ERROR_NO_DATA) {
            summary_.failedCalls.push_back(std::string(call) + " answered " +
                                           std::to_string(static_cast<int>(result)));
        }
        return false;
    }

    template <class Parent, class Ref>
    std::vector<Ref> List(Parent parent, SUResult (*count)(Parent, size_t*),
                          SUResult (*get)(Parent, size_t, Ref[], size_t*), const char* call) {
        size_t n = 0;
        if (!Ok(count(parent, &n), call)) return {};
        std::vector<Ref> refs(n);
        size_t got = 0;
        if (!Ok(get(parent, n, refs.data(), &got), call)) return {};
        refs.resize(got);
        return refs;
    }

    // The fail list of `object`, registered when the walk first meets it; null when it has none.
    template <class Describe>
    FaultList* ListOf(const void* object, Describe describe) {
        const size_t n = SKPMGetFailingCalls(object, 0, nullptr);
        if (n == 0) return nullptr;
        std::vector<const char*> names(n);
        SKPMGetFailingCalls(object, n, names.data());
        lists_.push_back({describe(), {names.begin(), names.end()}, {}});
        return &lists_.back();
    }

    // While alive, what the walk counts is charged to `list` too, when the list names one of
    // `calls` and no list met further up cuts the walk off already.
    class Cut {
    public:
        Cut(Walker& walker, FaultList* list, Calls calls) : walker_(walker), outer_(walker.cut_) {
            if (outer_ == nullptr && Names(list, calls)) walker.cut_ = list;
        }
        ~Cut() { walker_.cut_ = outer_; }
        Cut(const Cut&) = delete;
        Cut& operator=(const Cut&) = delete;

    private:
        Walker& walker_;
        FaultList* outer_;
    };

    void Layers(SUModelRef model, FaultList* document) {
        const auto layers = List(model, SUModelGetNumLayers, SUModelGetLayers, "SUModelGetLayers");
        const Cut cut(*this, document, {"SUModelGetNumLayers", "SUModelGetLayers"});
        for (SULayerRef layer : layers) {
            Charge("layers", 1);
            LayerInfo info;
            suobjects::String name;
            if (Ok(SULayerGetName(layer, name.out()), "SULayerGetName")) info.name = name.Utf8();
            ListOf(layer.ptr, [&] { return "layer \"" + info.name + "\""; });
            Ok(SULayerGetVisibility(layer, &info.visible), "SULayerGetVisibility");
            SUMaterialRef material = SU_INVALID;
            if (Ok(SULayerGetMaterial(layer, &material), "SULayerGetMaterial")) {
                info.material = MaterialName(material);
            }
            summary_.layers.push_back(std::move(info));
        }
        SULayerRef layer = SU_INVALID;
        if (Ok(SUModelGetDefaultLayer(model, &layer), "SUModelGetDefaultLayer")) {
            suobjects::String name;
            if (Ok(SULayerGetName(layer, name.out()), "SULayerGetName")) {
                summary_.defaultLayer = name.Utf8();
            }
        }
    }

    void Materials(SUModelRef model, FaultList* document) {
        const auto materials =
            List(model, SUModelGetNumMaterials, SUModelGetMaterials, "SUModelGetMaterials");
        const Cut cut(*this, document, {"SUModelGetNumMaterials", "SUModelGetMaterials"});
        for (SUMaterialRef material : materials) {
            Charge("materials", 1);
            MaterialInfo info;
            info.name = MaterialName(material);
            const std::string quoted = "\"" + info.name + "\"";
            FaultList* list = ListOf(material.ptr, [&] { return "material " + quoted; });
            Ok(SUMaterialGetType(material, &info.type), "SUMaterialGetType");
            SUColor color;
            if (Ok(SUMaterialGetColor(material, &color), "SUMaterialGetColor")) info.color = color;
            SUTextureRef texture = SU_INVALID;
            if (Ok(SUMaterialGetTexture(material, &texture), "SUMaterialGetTexture")) {
                const Cut hidden(*this, list, {"SUMaterialGetTexture"});
                Charge("textures", 1);
                ListOf(texture.ptr, [&] { return "the texture of material " + quoted; });
                info.texture = Texture(texture);
            }
            if (Ok(SUEntityGetNumAttributeDictionaries(SUMaterialToEntity(material),
                                                       &info.dictionaries),
                   "SUEntityGetNumAttributeDictionaries")) {
                const Cut hidden(*this, list, {"SUEntityGetNumAttributeDictionaries"});
                Charge("attribute dictionaries", info.dictionaries);
            }
            summary_.materials.push_back(std::move(info));
        }
    }

    void Geometry(SUModelRef model, FaultList* document) {
        std::vector<ImageDefinition> imageDefinitions;
        SUEntitiesRef entities = SU_INVALID;
        if (Ok(SUModelGetEntities(model, &entities), "SUModelGetEntities")) {
            const Cut cut(*this, document, {"SUModelGetEntities"});
            // The document's list governs the root entities.
            Count(entities, summary_.root, "the root entities", document, imageDefinitions);
        }
        summary_.total = summary_.root;
        const auto components =
            List(model, SUModelGetNumComponentDefinitions, SUModelGetComponentDefinitions,
                 "SUModelGetComponentDefinitions");
        const auto groups = List(model, SUModelGetNumGroupDefinitions, SUModelGetGroupDefinitions,
                                 "SUModelGetGroupDefinitions");
        summary_.componentDefinitions = components.size();
        summary_.groupDefinitions = groups.size();
        CountDefinitions(components, "component definitions", document,
                         {"SUModelGetNumComponentDefinitions", "SUModelGetComponentDefinitions"},
                         imageDefinitions);
        CountDefinitions(groups, "group definitions", document,
                         {"SUModelGetNumGroupDefinitions", "SUModelGetGroupDefinitions"},
                         imageDefinitions);
        // Image definitions are reached only through images, which they may themselves hold.
        for (size_t i = 0; i < imageDefinitions.size(); ++i) {
            const ImageDefinition reached = imageDefinitions[i];
            FaultList* const outer = cut_;
            cut_ = reached.cutBy;
            Charge("image definitions", 1);
            CountDefinition(reached.definition, imageDefinitions);
            cut_ = outer;
        }
        summary_.imageDefinitions = imageDefinitions.size();
    }

private:
    void Charge(const char* count, size_t n) {
        if (cut_ != nullptr && n != 0) cut_->hides[count] += n;
    }
    void Add(size_t& held, const char* count, size_t n = 1) {
        held += n;
        Charge(count, n);
    }

    static bool Names(const FaultList* list, Calls calls) {
        if (list == nullptr) return false;
        return std::any_of(calls.begin(), calls.end(), [&](std::string_view call) {
            return std::find(list->calls.begin(), list->calls.end(), call) != list->calls.end();
        });
    }

    std::string MaterialName(SUMaterialRef material) {
        suobjects::String name;
        if (!Ok(SUMaterialGetNameLegacyBehavior(material, name.out()),
                "SUMaterialGetNameLegacyBehavior")) {
            return {};
        }
        return name.Utf8();
    }

    TextureInfo Texture(SUTextureRef texture) {
        TextureInfo info;
        suobjects::String fileName;
        if (Ok(SUTextureGetFileName(texture, fileName.out()), "SUTextureGetFileName")) {
            info.fileName = fileName.Utf8();
        }
        Ok(SUTextureGetDimensions(texture, &info.width, &info.height, &info.sScale, &info.tScale),
           "SUTextureGetDimensions");
        size_t dataSize = 0;
        Ok(SUTextureGetImageDataSize(texture, &dataSize, &info.bitsPerPixel),
           "SUTextureGetImageDataSize");
        return info;
    }

    void CountDefinitions(const std::vector<SUComponentDefinitionRef>& definitions,
                          const char* count, FaultList* document, Calls listCalls,
                          std::vector<ImageDefinition>& imageDefinitions) {
        const Cut cut(*this, document, listCalls);
        Charge(count, definitions.size());
        for (SUComponentDefinitionRef definition : definitions) {
            CountDefinition(definition, imageDefinitions);
        }
    }

    void CountDefinition(SUComponentDefinitionRef definition,
                         std::vector<ImageDefinition>& imageDefinitions) {
        suobjects::String name;
        Ok(SUComponentDefinitionGetName(definition, name.out()), "SUComponentDefinitionGetName");
        const std::string where = "definition \"" + name.Utf8() + "\"";
        FaultList* list = ListOf(definition.ptr, [&] { return where; });
        const Cut cut(*this, list, {"SUComponentDefinitionGetEntities"});
        SUEntitiesRef entities = SU_INVALID;
        if (Ok(SUComponentDefinitionGetEntities(definition, &entities),
               "SUComponentDefinitionGetEntities")) {
            // The definition's list governs its entities.
            Count(entities, summary_.total, where, list, imageDefinitions);
        }
    }

    // `owner` is the fail list that governs the calls on `entities`.
    void Count(SUEntitiesRef entities, GeometryCounts& counts, const std::string& where,
               FaultList* owner, std::vector<ImageDefinition>& imageDefinitions) {
        CountFaces(entities, counts, where, owner);
        const auto groups =
            List(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups, "SUEntitiesGetGroups");
        {
            const Cut cut(*this, owner, {"SUEntitiesGetNumGroups", "SUEntitiesGetGroups"});
            for (size_t i = 0; i < groups.size(); ++i) {
                Add(counts.groups, "groups");
                ListOf(groups[i].ptr, [&] { return Element("group", i, where); });
            }
        }
        const auto instances = List(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances,
                                    "SUEntitiesGetInstances");
        {
            const Cut cut(*this, owner, {"SUEntitiesGetNumInstances", "SUEntitiesGetInstances"});
            for (size_t i = 0; i < instances.size(); ++i) {
                Add(counts.instances, "instances");
                ListOf(instances[i].ptr, [&] { return Element("instance", i, where); });
            }
        }
        const auto images =
            List(entities, SUEntitiesGetNumImages, SUEntitiesGetImages, "SUEntitiesGetImages");
        const Cut cut(*this, owner, {"SUEntitiesGetNumImages", "SUEntitiesGetImages"});
        for (size_t i = 0; i < images.size(); ++i) {
            Add(counts.images, "images");
            FaultList* list = ListOf(images[i].ptr, [&] { return Element("image", i, where); });
            const Cut hidden(*this, list, {"SUComponentInstanceGetDefinition"});
            // An image is an instance of a hidden definition.
            SUComponentInstanceRef instance = {images[i].ptr};
            SUComponentDefinitionRef definition = SU_INVALID;
            if (!Ok(SUComponentInstanceGetDefinition(instance, &definition),
                    "SUComponentInstanceGetDefinition")) {
                continue;
            }
            auto same = [&](const ImageDefinition& d) {
                return SUAreEqual(d.definition, definition);
            };
            const auto known = std::find_if(imageDefinitions.begin(), imageDefinitions.end(), same);
            if (known == imageDefinitions.end()) {
                imageDefinitions.push_back({definition, cut_});
            } else if (cut_ == nullptr) {
                known->cutBy = nullptr;  // a caller reaches it this way
            }
        }
    }

    void CountFaces(SUEntitiesRef entities, GeometryCounts& counts, const std::string& where,
                    FaultList* owner) {
        const auto faces =
            List(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces, "SUEntitiesGetFaces");
        const Cut cut(*this, owner, {"SUEntitiesGetNumFaces", "SUEntitiesGetFaces"});
        for (size_t i = 0; i < faces.size(); ++i) {
            Add(counts.faces, "faces");
            FaultList* list = ListOf(faces[i].ptr, [&] { return Element("face", i, where); });
            const Cut noMesh(*this, list, {"SUMeshHelperCreate"});
            suobjects::MeshHelper mesh(faces[i]);
            if (!Ok(mesh.result(), "SUMeshHelperCreate")) continue;
            size_t n = 0;
            if (Ok(SUMeshHelperGetNumTriangles(mesh.get(), &n), "SUMeshHelperGetNumTriangles")) {
                const Cut hidden(*this, list, {"SUMeshHelperGetNumTriangles"});
                Add(counts.triangles, "triangles", n);
            }
            if (Ok(SUMeshHelperGetNumVertices(mesh.get(), &n), "SUMeshHelperGetNumVertices")) {
                const Cut hidden(*this, list, {"SUMeshHelperGetNumVertices"});
                Add(counts.meshVertices, "mesh vertices", n);
            }
        }
    }

    static std::string Element(const char* kind, size_t index, const std::string& where) {
        return std::string(kind) + " " + std::to_string(index) + " of " + where;
    }

    ModelSummary& summary_;
    std::deque<FaultList> lists_;  // addresses stay put while the walk points at them
    FaultList* cut_ = nullptr;     // the list that cuts a caller's walk off where this one is
};

}  // namespace

ModelSummary Summarize(SUModelRef model) {
    ModelSummary summary;
    {
        Walker walker(summary);
        FaultList* document = walker.ListOf(model.ptr, [] { return std::string("the document"); });
        int major = 0, minor = 0, build = 0;
        if (walker.Ok(SUModelGetVersion(model, &major, &minor, &build), "SUModelGetVersion")) {
            summary.version = std::array<int, 3>{major, minor, build};
        }
        walker.Layers(model, document);
        walker.Materials(model, document);
        walker.Geometry(model, document);
    }
    return summary;
}

}  // namespace skpinfo
