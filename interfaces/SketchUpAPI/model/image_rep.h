// Image reps: pixel buffers created and released by the caller.
#ifndef SKETCHUP_MODEL_IMAGE_REP_H_
#define SKETCHUP_MODEL_IMAGE_REP_H_

#include <SketchUpAPI/color.h>
#include <SketchUpAPI/common.h>
#include <SketchUpAPI/model/defs.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Byte index of each channel within a pixel of image data.
typedef struct {
    short red_index;
    short green_index;
    short blue_index;
    short alpha_index;
} SUColorOrder;

/// The channel order of image data (blue, green, red, alpha).
SU_EXPORT SUColorOrder SUGetColorOrder(void);

/// Creates an empty image rep. *image must be invalid on entry.
SU_EXPORT SU_RESULT SUImageRepCreate(SUImageRepRef* image);

/// Releases an image rep made by SUImageRepCreate and sets *image invalid; a reference that is
/// not a live image rep answers SU_ERROR_INVALID_INPUT.
SU_EXPORT SU_RESULT SUImageRepRelease(SUImageRepRef* image);

SU_EXPORT SU_RESULT SUImageRepGetPixelDimensions(SUImageRepRef image, size_t* width,
                                                 size_t* height);

/// Bytes of padding at the end of each row.
SU_EXPORT SU_RESULT SUImageRepGetRowPadding(SUImageRepRef image, size_t* padding);

/// Size of the pixel data in bytes (rows and their padding) and the bits per pixel.
SU_EXPORT SU_RESULT SUImageRepGetDataSize(SUImageRepRef image, size_t* data_size,
                                          size_t* bits_per_pixel);

/// Copies the pixel data, top row first. data_size must be at least the data size (else
/// SU_ERROR_INSUFFICIENT_SIZE); SU_ERROR_NO_DATA for an empty image rep.
SU_EXPORT SU_RESULT SUImageRepGetData(SUImageRepRef image, size_t data_size, SUByte pixel_data[]);

/// Writes the image to file_path (UTF-8); the extension picks the format. SU_ERROR_NO_DATA for
/// an empty image rep, SU_ERROR_SERIALIZATION when the file cannot be written.
SU_EXPORT SU_RESULT SUImageRepSaveToFile(SUImageRepRef image, const char* file_path);

#ifdef __cplusplus
}
#endif

#endif  // SKETCHUP_MODEL_IMAGE_REP_H_
