#include <Importing/Material.h>
#include <Importing/SceneContainer.h>
#include <Importing/Surface.h>
#include <d3dx9math.h>

#include <cassert>

#include "SkpMaterialTable.h"

namespace Importing {

namespace {

constexpr float kChannelScale = 0.003921569f;  // 1/255: a colour byte to a 0..1 channel

D3DXCOLOR ToColor(uint32_t argb) {
    return D3DXCOLOR(static_cast<float>((argb >> 16) & 0xFF) * kChannelScale,
                     static_cast<float>((argb >> 8) & 0xFF) * kChannelScale,
                     static_cast<float>(argb & 0xFF) * kChannelScale,
                     static_cast<float>(argb >> 24) * kChannelScale);
}

}  // namespace

SkpMaterialInfo* SkpMaterialTable::AddMaterialToScene(SUMaterialRef material) {
    assert(scene != nullptr && "the scene is set when the texture worker starts");
    // A material met only now gets a record of its own, so it never shares the default geometry.
    if (SUIsValid(material) && records.find(material) == records.end()) {
        InitMaterial(material, SULayerRef{});
    }
    SkpMaterialInfo* record = FindMaterial(material);
    if (record->materialId >= 0) return record;  // made earlier in this load

    Material sceneMaterial;
    sceneMaterial.SetName(record->name);
    sceneMaterial.SetEmissive(ToColor(record->color));
    sceneMaterial.SetSpecularPower(1.0f);
    sceneMaterial.SetSurfaceType(static_cast<SurfaceType>(record->surfaceType));
    float opacity = record->opacity;
    if (!record->textureFile.empty()) {
        // The texture carries the colour: the material only lets it through.
        record->textureId = scene->AddTextureToLibrary(record->textureFile, 0);
        QueueTexture(record);
        sceneMaterial.SetDiffuse(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
        opacity = 1.0f;
    } else {
        sceneMaterial.SetDiffuse(ToColor(record->color));
    }
    sceneMaterial.SetOpacity(opacity);
    record->materialId = scene->AddMaterialToLibrary(sceneMaterial, 0);
    return record;
}

void SkpMaterialTable::CreateMaterialSurfaces(const std::vector<void*>& keys, int nodeIndex) {
    for (void* key : keys) {
        SkpMaterialInfo* record = AddMaterialToScene(SUMaterialRef{key});
        const int geometryId = scene->CreateNewGeometryInLibrary();
        record->geometry = &scene->geometryLibrary[static_cast<size_t>(geometryId)];
        Surface surface(geometryId, record->materialId);
        surface.AddMap(u"DIFFUSE", record->textureId);
        scene->surfaces.push_back(surface);
        const int surfaceId = static_cast<int>(scene->surfaces.size()) - 1;
        scene->nodes[static_cast<size_t>(nodeIndex)].surfaceIndices.push_back(surfaceId);
    }
}

}  // namespace Importing
