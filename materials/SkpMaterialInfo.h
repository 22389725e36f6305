#pragma once

#include <SketchUpAPI/model/defs.h>
#include <SketchUpAPI/model/material.h>

#include <cstdint>
#include <string>

namespace Importing {

class Geometry;

enum SkpImageFormat : int32_t { kImageBmp = 0, kImagePng = 1, kImageJpeg = 2 };

// What a load knows of one SketchUp material, and the scene objects made for it.
struct SkpMaterialInfo {
    SUMaterialRef material = SU_INVALID;
    int32_t index = 0;                        // running number, the first record filled gets 1
    SUMaterialType type = SUMaterialType_Colored;
    SULayerRef layer = SU_INVALID;            // the layer it was met through, with colour by layer
    std::u16string name;                      // display name, after the star rule
    std::u16string libraryId;                 // from the material's settings dictionary
    int32_t surfaceType = 0;                  // 0 ordinary, 1 water, 2 glass, or the dictionary's
    std::u16string textureFile;               // full path the texture is exported to; empty: none
    uint32_t color = 0xFFAAAAAA;              // 0xAARRGGBB, alpha always 0xFF
    float opacity = 1.0f;                     // the colour's alpha / 255
    float sScale = 1.0f;
    float tScale = 1.0f;
    SUTextureRef texture = SU_INVALID;        // null when none or when it has no usable size
    int32_t imageFormat = kImageBmp;
    int32_t materialId = -1;                  // id in the scene's material library
    int32_t textureId = -1;                   // id in the scene's texture library
    Geometry* geometry = nullptr;             // this material's geometry in the scene
};

}  // namespace Importing
