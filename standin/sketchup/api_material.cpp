// Layers and materials.
#include <SketchUpAPI/model/layer.h>
#include <SketchUpAPI/model/material.h>

#include "api_support.h"

using namespace skpm;

SU_RESULT SULayerGetName(SULayerRef ref, SUStringRef* name) {
    return Guarded([&] {
        const Layer* layer = As<Layer>(ref.ptr);
        if (SUResult r = BeginString(layer, FailPoint::SULayerGetName, name); r != SU_ERROR_NONE)
            return r;
        return SetString(name, layer->name);
    });
}

SU_RESULT SULayerGetVisibility(SULayerRef ref, bool* visible) {
    const Layer* layer = As<Layer>(ref.ptr);
    if (SUResult r = Begin(layer, FailPoint::SULayerGetVisibility, {visible}); r != SU_ERROR_NONE)
        return r;
    *visible = layer->visible;
    return SU_ERROR_NONE;
}

SU_RESULT SULayerGetMaterial(SULayerRef ref, SUMaterialRef* material) {
    const Layer* layer = As<Layer>(ref.ptr);
    if (SUResult r = Begin(layer, FailPoint::SULayerGetMaterial, {material}); r != SU_ERROR_NONE)
        return r;
    if (layer->material == nullptr) return SU_ERROR_NO_DATA;
    *material = RefTo<SUMaterialRef>(layer->material);
    return SU_ERROR_NONE;
}

SU_RESULT SUMaterialGetName(SUMaterialRef ref, SUStringRef* name) {
    return Guarded([&] {
        const Material* material = As<Material>(ref.ptr);
        if (SUResult r = BeginString(material, FailPoint::SUMaterialGetName, name);
            r != SU_ERROR_NONE) {
            return r;
        }
        return SetString(name, material->name);
    });
}

SU_RESULT SUMaterialGetNameLegacyBehavior(SUMaterialRef ref, SUStringRef* name) {
    return Guarded([&] {
        const Material* material = As<Material>(ref.ptr);
        if (SUResult r = BeginString(material, FailPoint::SUMaterialGetNameLegacyBehavior, name);
            r != SU_ERROR_NONE) {
            return r;
        }
        return SetString(name, material->name);
    });
}

SU_RESULT SUMaterialGetType(SUMaterialRef ref, enum SUMaterialType* type) {
    const Material* material = As<Material>(ref.ptr);
    if (SUResult r = Begin(material, FailPoint::SUMaterialGetType, {type}); r != SU_ERROR_NONE)
        return r;
    *type = material->materialType;
    return SU_ERROR_NONE;
}

SU_RESULT SUMaterialGetColor(SUMaterialRef ref, SUColor* color) {
    const Material* material = As<Material>(ref.ptr);
    if (SUResult r = Begin(material, FailPoint::SUMaterialGetColor, {color}); r != SU_ERROR_NONE)
        return r;
    if (!material->color) return SU_ERROR_NO_DATA;
    *color = *material->color;
    return SU_ERROR_NONE;
}

SU_RESULT SUMaterialGetTexture(SUMaterialRef ref, SUTextureRef* texture) {
    const Material* material = As<Material>(ref.ptr);
    if (SUResult r = Begin(material, FailPoint::SUMaterialGetTexture, {texture});
        r != SU_ERROR_NONE) {
        return r;
    }
    if (!material->texture) return SU_ERROR_NO_DATA;
    *texture = RefTo<SUTextureRef>(material->texture.get());
    return SU_ERROR_NONE;
}
