#include "model_summary.h"

#include <algorithm>

#include "su_handles.h"

namespace skpinfo {
namespace {

class Walker {
public:
    explicit Walker(ModelSummary& summary) : summary_(summary) {}

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

    void Layers(SUModelRef model) {
        for (SULayerRef layer :
             List(model, SUModelGetNumLayers, SUModelGetLayers, "SUModelGetLayers")) {
            LayerInfo info;
            SuString name;
            if (Ok(SULayerGetName(layer, name.out()), "SULayerGetName")) info.name = name.Utf8();
            Ok(SULayerGetVisibility(layer, &info.visible), "SULayerGetVisibility");
            SUMaterialRef material = SU_INVALID;
            if (Ok(SULayerGetMaterial(layer, &material), "SULayerGetMaterial")) {
                info.material = MaterialName(material);
            }
            summary_.layers.push_back(std::move(info));
        }
        SULayerRef layer = SU_INVALID;
        if (Ok(SUModelGetDefaultLayer(model, &layer), "SUModelGetDefaultLayer")) {
            SuString name;
            if (Ok(SULayerGetName(layer, name.out()), "SULayerGetName")) {
                summary_.defaultLayer = name.Utf8();
            }
        }
    }

    void Materials(SUModelRef model) {
        for (SUMaterialRef material :
             List(model, SUModelGetNumMaterials, SUModelGetMaterials, "SUModelGetMaterials")) {
            MaterialInfo info;
            info.name = MaterialName(material);
            Ok(SUMaterialGetType(material, &info.type), "SUMaterialGetType");
            SUColor color;
            if (Ok(SUMaterialGetColor(material, &color), "SUMaterialGetColor")) info.color = color;
            SUTextureRef texture = SU_INVALID;
            if (Ok(SUMaterialGetTexture(material, &texture), "SUMaterialGetTexture")) {
                info.texture = Texture(texture);
            }
            Ok(SUEntityGetNumAttributeDictionaries(SUMaterialToEntity(material),
                                                   &info.dictionaries),
               "SUEntityGetNumAttributeDictionaries");
            summary_.materials.push_back(std::move(info));
        }
    }

    void Geometry(SUModelRef model) {
        std::vector<SUComponentDefinitionRef> imageDefinitions;
        SUEntitiesRef entities = SU_INVALID;
        if (Ok(SUModelGetEntities(model, &entities), "SUModelGetEntities")) {
            Count(entities, summary_.root, imageDefinitions);
        }
        summary_.total = summary_.root;
        const auto components =
            List(model, SUModelGetNumComponentDefinitions, SUModelGetComponentDefinitions,
                 "SUModelGetComponentDefinitions");
        const auto groups = List(model, SUModelGetNumGroupDefinitions, SUModelGetGroupDefinitions,
                                 "SUModelGetGroupDefinitions");
        summary_.componentDefinitions = components.size();
        summary_.groupDefinitions = groups.size();
        for (const auto* list : {&components, &groups}) {
            for (SUComponentDefinitionRef definition : *list) {
                CountDefinition(definition, imageDefinitions);
            }
        }
        // Image definitions are reached only through images, which they may themselves hold.
        for (size_t i = 0; i < imageDefinitions.size(); ++i) {
            CountDefinition(imageDefinitions[i], imageDefinitions);
        }
        summary_.imageDefinitions = imageDefinitions.size();
    }

private:
    std::string MaterialName(SUMaterialRef material) {
        SuString name;
        if (!Ok(SUMaterialGetNameLegacyBehavior(material, name.out()),
                "SUMaterialGetNameLegacyBehavior")) {
            return {};
        }
        return name.Utf8();
    }

    TextureInfo Texture(SUTextureRef texture) {
        TextureInfo info;
        SuString fileName;
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

    void CountDefinition(SUComponentDefinitionRef definition,
                         std::vector<SUComponentDefinitionRef>& imageDefinitions) {
        SUEntitiesRef entities = SU_INVALID;
        if (Ok(SUComponentDefinitionGetEntities(definition, &entities),
               "SUComponentDefinitionGetEntities")) {
            Count(entities, summary_.total, imageDefinitions);
        }
    }

    void Count(SUEntitiesRef entities, GeometryCounts& counts,
               std::vector<SUComponentDefinitionRef>& imageDefinitions) {
        for (SUFaceRef face :
             List(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces, "SUEntitiesGetFaces")) {
            ++counts.faces;
            SuMeshHelper mesh(face);
            if (!Ok(mesh.result(), "SUMeshHelperCreate")) continue;
            size_t n = 0;
            if (Ok(SUMeshHelperGetNumTriangles(mesh.get(), &n), "SUMeshHelperGetNumTriangles")) {
                counts.triangles += n;
            }
            if (Ok(SUMeshHelperGetNumVertices(mesh.get(), &n), "SUMeshHelperGetNumVertices")) {
                counts.meshVertices += n;
            }
        }
        counts.groups +=
            List(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups, "SUEntitiesGetGroups")
                .size();
        counts.instances += List(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances,
                                 "SUEntitiesGetInstances")
                                .size();
        for (SUImageRef image :
             List(entities, SUEntitiesGetNumImages, SUEntitiesGetImages, "SUEntitiesGetImages")) {
            ++counts.images;
            // An image is an instance of a hidden definition.
            SUComponentInstanceRef instance = {image.ptr};
            SUComponentDefinitionRef definition = SU_INVALID;
            if (!Ok(SUComponentInstanceGetDefinition(instance, &definition),
                    "SUComponentInstanceGetDefinition")) {
                continue;
            }
            auto same = [&](SUComponentDefinitionRef d) { return SUAreEqual(d, definition); };
            if (std::none_of(imageDefinitions.begin(), imageDefinitions.end(), same)) {
                imageDefinitions.push_back(definition);
            }
        }
    }

    ModelSummary& summary_;
};

}  // namespace

ModelSummary Summarize(SUModelRef model) {
    ModelSummary summary;
    Walker walker(summary);
    int major = 0, minor = 0, build = 0;
    if (walker.Ok(SUModelGetVersion(model, &major, &minor, &build), "SUModelGetVersion")) {
        summary.version = std::array<int, 3>{major, minor, build};
    }
    walker.Layers(model);
    walker.Materials(model);
    walker.Geometry(model);
    return summary;
}

}  // namespace skpinfo
