// Textures and image reps. Texture pixels are decoded once, while the model is read; an image
// rep shares them until the caller drops it.
#include <SketchUpAPI/model/image_rep.h>
#include <SketchUpAPI/model/texture.h>

#include <cstring>

#include "api_support.h"

using namespace skpm;

namespace {

// Fills a caller-created image rep after the texture checks passed.
SUResult BeginImageRep(const Texture* texture, FailPoint point, SUImageRepRef* out,
                       ImageRep*& rep) {
    if (texture == nullptr) return SU_ERROR_INVALID_INPUT;
    if (out == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    rep = live::Find<ImageRep>(out->ptr);
    if (rep == nullptr) return SU_ERROR_INVALID_OUTPUT;
    return texture->fails.Check(point);
}

size_t DataSize(const Image& image) {
    return size_t(image.width) * size_t(image.height) * size_t(image.bitsPerPixel / 8);
}

}  // namespace

SU_RESULT SUTextureGetDimensions(SUTextureRef ref, size_t* width, size_t* height, double* s_scale,
                                 double* t_scale) {
    const Texture* texture = As<Texture>(ref.ptr);
    if (SUResult r =
            Begin(texture, FailPoint::SUTextureGetDimensions, {width, height, s_scale, t_scale});
        r != SU_ERROR_NONE) {
        return r;
    }
    *width = texture->width;
    *height = texture->height;
    *s_scale = texture->sScale;
    *t_scale = texture->tScale;
    return SU_ERROR_NONE;
}

SU_RESULT SUTextureGetFileName(SUTextureRef ref, SUStringRef* file_name) {
    return Guarded([&] {
        const Texture* texture = As<Texture>(ref.ptr);
        if (SUResult r = BeginString(texture, FailPoint::SUTextureGetFileName, file_name);
            r != SU_ERROR_NONE) {
            return r;
        }
        return SetString(file_name, texture->fileName);
    });
}

SU_RESULT SUTextureGetImageDataSize(SUTextureRef ref, size_t* data_size, size_t* bits_per_pixel) {
    const Texture* texture = As<Texture>(ref.ptr);
    if (SUResult r =
            Begin(texture, FailPoint::SUTextureGetImageDataSize, {data_size, bits_per_pixel});
        r != SU_ERROR_NONE) {
        return r;
    }
    *data_size = DataSize(*texture->image);
    *bits_per_pixel = static_cast<size_t>(texture->image->bitsPerPixel);
    return SU_ERROR_NONE;
}

SU_RESULT SUTextureGetImageRep(SUTextureRef ref, SUImageRepRef* image_rep) {
    const Texture* texture = As<Texture>(ref.ptr);
    ImageRep* rep = nullptr;
    if (SUResult r = BeginImageRep(texture, FailPoint::SUTextureGetImageRep, image_rep, rep);
        r != SU_ERROR_NONE) {
        return r;
    }
    rep->image = texture->image;
    return SU_ERROR_NONE;
}

SU_RESULT SUTextureGetColorizedImageRep(SUTextureRef ref, SUImageRepRef* image_rep) {
    return Guarded([&] {
        const Texture* texture = As<Texture>(ref.ptr);
        ImageRep* rep = nullptr;
        if (SUResult r =
                BeginImageRep(texture, FailPoint::SUTextureGetColorizedImageRep, image_rep, rep);
            r != SU_ERROR_NONE) {
            return r;
        }
        // Without a colour there is nothing to tint with.
        const std::optional<SUColor>& color = texture->material->color;
        if (!color) return SU_ERROR_NO_DATA;
        rep->image = std::make_shared<const Image>(
            Colorize(*texture->image, color->red, color->green, color->blue));
        return SU_ERROR_NONE;
    });
}

SUColorOrder SUGetColorOrder(void) {
    SUColorOrder order;
    order.red_index = 2;
    order.green_index = 1;
    order.blue_index = 0;
    order.alpha_index = 3;
    return order;
}

SU_RESULT SUImageRepCreate(SUImageRepRef* image) {
    return Guarded([&] {
        if (image == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
        if (SUIsValid(*image)) return SU_ERROR_OVERWRITE_VALID;
        auto rep = std::make_unique<ImageRep>();
        image->ptr = live::Add(std::move(rep));
        return SU_ERROR_NONE;
    });
}

SU_RESULT SUImageRepRelease(SUImageRepRef* image) {
    if (image == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (!live::Release(image->ptr, ImageRep::kLiveType)) return SU_ERROR_INVALID_INPUT;
    SUSetInvalid(*image);
    return SU_ERROR_NONE;
}

SU_RESULT SUImageRepGetPixelDimensions(SUImageRepRef image, size_t* width, size_t* height) {
    const ImageRep* rep = live::Find<ImageRep>(image.ptr);
    if (rep == nullptr) return SU_ERROR_INVALID_INPUT;
    if (width == nullptr || height == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *width = rep->image ? static_cast<size_t>(rep->image->width) : 0;
    *height = rep->image ? static_cast<size_t>(rep->image->height) : 0;
    return SU_ERROR_NONE;
}

SU_RESULT SUImageRepGetRowPadding(SUImageRepRef image, size_t* padding) {
    const ImageRep* rep = live::Find<ImageRep>(image.ptr);
    if (rep == nullptr) return SU_ERROR_INVALID_INPUT;
    if (padding == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *padding = 0;  // rows are stored tightly
    return SU_ERROR_NONE;
}

SU_RESULT SUImageRepGetDataSize(SUImageRepRef image, size_t* data_size, size_t* bits_per_pixel) {
    const ImageRep* rep = live::Find<ImageRep>(image.ptr);
    if (rep == nullptr) return SU_ERROR_INVALID_INPUT;
    if (data_size == nullptr || bits_per_pixel == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    *data_size = rep->image ? DataSize(*rep->image) : 0;
    *bits_per_pixel = rep->image ? static_cast<size_t>(rep->image->bitsPerPixel) : 0;
    return SU_ERROR_NONE;
}

SU_RESULT SUImageRepGetData(SUImageRepRef image, size_t data_size, SUByte pixel_data[]) {
    const ImageRep* rep = live::Find<ImageRep>(image.ptr);
    if (rep == nullptr) return SU_ERROR_INVALID_INPUT;
    if (pixel_data == nullptr) return SU_ERROR_NULL_POINTER_OUTPUT;
    if (!rep->image || rep->image->data.empty()) return SU_ERROR_NO_DATA;
    if (data_size < rep->image->data.size()) return SU_ERROR_INSUFFICIENT_SIZE;
    std::memcpy(pixel_data, rep->image->data.data(), rep->image->data.size());
    return SU_ERROR_NONE;
}

SU_RESULT SUImageRepSaveToFile(SUImageRepRef image, const char* file_path) {
    return Guarded([&] {
        const ImageRep* rep = live::Find<ImageRep>(image.ptr);
        if (rep == nullptr) return SU_ERROR_INVALID_INPUT;
        if (file_path == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
        if (!rep->image || rep->image->data.empty()) return SU_ERROR_NO_DATA;
        return SaveImage(*rep->image, file_path) ? SU_ERROR_NONE : SU_ERROR_SERIALIZATION;
    });
}
