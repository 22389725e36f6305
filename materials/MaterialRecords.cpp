#include <SketchUpAPI/color.h>
#include <SketchUpAPI/model/layer.h>
#include <SketchUpAPI/model/material.h>
#include <SketchUpAPI/model/model.h>
#include <SketchUpAPI/model/texture.h>

#include <vector>

#include "MaterialText.h"
#include "SketchUpObjects.h"
#include "SkpMaterialTable.h"
#include "TextureFileName.h"

namespace Importing {

void SkpMaterialTable::InitModelMaterials(SUModelRef model) {
    size_t count = 0;
    SUModelGetNumMaterials(model, &count);
    if (count == 0) return;
    std::vector<SUMaterialRef> materials(count, SUMaterialRef{});
    size_t fetched = 0;
    SUModelGetMaterials(model, count, materials.data(), &fetched);
    if (fetched < count) materials.resize(fetched);
    for (SUMaterialRef material : materials) InitMaterial(material, SULayerRef{});
}

bool SkpMaterialTable::InitLayerMaterial(SULayerRef layer) {
    SUMaterialRef material = SU_INVALID;
    if (SULayerGetMaterial(layer, &material) != SU_ERROR_NONE) return false;
    return InitMaterial(material, layer);
}

bool SkpMaterialTable::InitMaterial(SUMaterialRef material, SULayerRef layer) {
    if (SUIsInvalid(material)) return false;
    SkpMaterialInfo& record = records[material];
    if (record.material.ptr == material.ptr) return false;  // filled when first met

    record.material = material;
    record.index = static_cast<int32_t>(++counter);
    record.layer = layer;
    SUMaterialGetType(material, &record.type);
    SUMaterialGetTexture(material, &record.texture);

    SUColor color{0, 0, 0, 0};
    SUMaterialGetColor(material, &color);
    record.color =
        0xFF000000u | uint32_t{color.red} << 16 | uint32_t{color.green} << 8 | uint32_t{color.blue};
    record.opacity = static_cast<float>(color.alpha) / 255.0f;

    SketchUpString name;
    SUMaterialGetNameLegacyBehavior(material, &name.ref);
    record.name = ToWString(name.ref);
    if (!record.name.empty() && record.name.front() == u'*') {
        record.name = namePrefix + record.name.substr(1);
    }

    InitSurfaceType(record);
    record.sScale = 1.0f;
    record.tScale = 1.0f;
    if (SUIsValid(record.texture)) InitTextureInfo(record);
    return true;
}

void SkpMaterialTable::InitTextureInfo(SkpMaterialInfo& record) {
    size_t width = 0;
    size_t height = 0;
    double sScale = 1.0;
    double tScale = 1.0;
    if (SUTextureGetDimensions(record.texture, &width, &height, &sScale, &tScale) !=
            SU_ERROR_NONE ||
        width == 0 || height == 0) {
        // Nothing could be drawn from it: the material shows its colour instead.
        record.type = SUMaterialType_Colored;
        record.texture = SU_INVALID;
        return;
    }

    SketchUpString fileName;
    SUTextureGetFileName(record.texture, &fileName.ref);
    const std::u16string stem = TextureFileStem(ToWString(fileName.ref), record.index, record.name);

    size_t dataSize = 0;
    size_t bitsPerPixel = 0;
    SUTextureGetImageDataSize(record.texture, &dataSize, &bitsPerPixel);
    record.sScale = static_cast<float>(sScale);
    record.tScale = static_cast<float>(tScale);

    // Large images with alpha go to an uncompressed bitmap, small ones to PNG; the rest to JPEG.
    const char16_t* extension = u".jpg";
    record.imageFormat = kImageJpeg;
    if (bitsPerPixel == 32) {
        const bool large = width > 256 || height > 256;
        extension = large ? u".bmp" : u".png";
        record.imageFormat = large ? kImageBmp : kImagePng;
    }
    // Without a temporary folder a bare name would land in the current directory: the texture
    // is not exported, and the material shows its colour.
    if (!tempFolder.empty()) record.textureFile = tempFolder + stem + extension;
}

}  // namespace Importing
