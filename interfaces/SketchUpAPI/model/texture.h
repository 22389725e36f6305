// Textures of materials.
#ifndef SKETCHUP_MODEL_TEXTURE_H_
#define SKETCHUP_MODEL_TEXTURE_H_

#include <SketchUpAPI/common.h>
#include <SketchUpAPI/defs.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Width and height in pixels and the s and t scales (texture units per inch).
SU_EXPORT SU_RESULT SUTextureGetDimensions(SUTextureRef texture, size_t* width, size_t* height,
                                           double* s_scale, double* t_scale);

/// The file name the texture was made from; it may hold folders, odd characters or nothing but
/// an extension. *file_name must be a string made by SUStringCreate.
SU_EXPORT SU_RESULT SUTextureGetFileName(SUTextureRef texture, SUStringRef* file_name);

/// Size in bytes of the pixel data (width * height * bits_per_pixel / 8) and its bits per pixel.
SU_EXPORT SU_RESULT SUTextureGetImageDataSize(SUTextureRef texture, size_t* data_size,
                                              size_t* bits_per_pixel);

/// Copies the texture's pixels into *image_rep, which must be made by SUImageRepCreate.
SU_EXPORT SU_RESULT SUTextureGetImageRep(SUTextureRef texture, SUImageRepRef* image_rep);

/// Like SUTextureGetImageRep, the pixels tinted by the material's colour.
SU_EXPORT SU_RESULT SUTextureGetColorizedImageRep(SUTextureRef texture, SUImageRepRef* image_rep);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_TEXTURE_H_
