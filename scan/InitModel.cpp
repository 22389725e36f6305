#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/layer.h>
#include <SketchUpAPI/model/model.h>
#include <SketchUpAPI/model/rendering_options.h>
#include <SketchUpAPI/model/typed_value.h>

#include <exception>
#include <vector>

#include "SketchUpObjects.h"
#include "SkpReader.h"

namespace Importing {

void SkpReader::InitMaterialsByLayerOption() {
    SURenderingOptionsRef options = SU_INVALID;
    if (SUModelGetRenderingOptions(model, &options) != SU_ERROR_NONE) throw std::exception();
    SketchUpTypedValue value;
    SURenderingOptionsGetValue(options, "DisplayColorByLayer", &value.ref);
    SUTypedValueGetBool(value.ref, &materialsByLayer);
}

void SkpReader::InitModel() {
    materials.StartTextureWorker(sceneContainer);
    // A load that failed before may have left its tables behind.
    layerInfos.clear();
    faceInfos.clear();
    defaultLayer = SU_INVALID;

    size_t layerCount = 0;
    SUModelGetNumLayers(model, &layerCount);
    if (layerCount != 0) {
        std::vector<SULayerRef> layers(layerCount, SULayerRef SU_INVALID);
        SUModelGetLayers(model, layerCount, layers.data(), &layerCount);
        layers.resize(std::min(layerCount, layers.size()));
        for (SULayerRef layer : layers) {
            SkpLayerInfo& info = layerInfos[layer];
            info.layer = layer;
            SULayerGetVisibility(layer, &info.visible);
            if (materialsByLayer) {
                materials.InitLayerMaterial(layer);
                SULayerGetMaterial(layer, &info.material);
            }
        }
        SUModelGetDefaultLayer(model, &defaultLayer);
    }

    if (!materialsByLayer) materials.InitModelMaterials(model);

    size_t componentCount = 0, groupCount = 0;
    SUModelGetNumComponentDefinitions(model, &componentCount);
    SUModelGetNumGroupDefinitions(model, &groupCount);
    if (componentCount + groupCount != 0) {
        std::vector<SUComponentDefinitionRef> definitions(componentCount + groupCount,
                                                          SUComponentDefinitionRef SU_INVALID);
        size_t filled = 0;
        SUModelGetComponentDefinitions(model, componentCount, definitions.data(), &filled);
        SUModelGetGroupDefinitions(model, groupCount, definitions.data() + componentCount, &filled);
        for (SUComponentDefinitionRef definition : definitions) {
            SUEntitiesRef entities = SU_INVALID;
            if (SUComponentDefinitionGetEntities(definition, &entities) == SU_ERROR_NONE) {
                InitEntities(entities, false);
            }
        }
    }

    SUEntitiesRef rootEntities = SU_INVALID;
    if (SUModelGetEntities(model, &rootEntities) == SU_ERROR_NONE)
        InitEntities(rootEntities, false);
}

}  // namespace Importing
