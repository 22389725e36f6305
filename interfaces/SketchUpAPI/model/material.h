// Materials: a colour, a texture or a colourised texture.
#ifndef SKETCHUP_MODEL_MATERIAL_H_
#define SKETCHUP_MODEL_MATERIAL_H_

#include <SketchUpAPI/color.h>
#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

enum SUMaterialType {
    SUMaterialType_Colored = 0,
    SUMaterialType_Textured,
    SUMaterialType_ColorizedTexture,
};

SU_EXPORT SUEntityRef SUMaterialToEntity(SUMaterialRef material);
SU_EXPORT SUMaterialRef SUMaterialFromEntity(SUEntityRef entity);

/// The material's name (*name made by SUStringCreate, else SU_ERROR_INVALID_OUTPUT).
SU_EXPORT SU_RESULT SUMaterialGetName(SUMaterialRef material, SUStringRef* name);

/// The name as stored, a leading '*' of generated names included.
SU_EXPORT SU_RESULT SUMaterialGetNameLegacyBehavior(SUMaterialRef material, SUStringRef* name);

SU_EXPORT SU_RESULT SUMaterialGetType(SUMaterialRef material, enum SUMaterialType* type);

/// SU_ERROR_NO_DATA when the material has no colour.
SU_EXPORT SU_RESULT SUMaterialGetColor(SUMaterialRef material, SUColor* color);

/// SU_ERROR_NO_DATA when the material has no texture; the texture is owned by the material.
SU_EXPORT SU_RESULT SUMaterialGetTexture(SUMaterialRef material, SUTextureRef* texture);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_MATERIAL_H_
