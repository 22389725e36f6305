// Materials, their textures and attribute dictionaries.
#include <skptext/file_path.h>

#include <cstdint>
#include <limits>

#include "file_bytes.h"
#include "reader_context.h"
#include "refusal.h"

namespace skpm {
namespace {

// Texture image files are never this large; bigger ones are refused before reading.
constexpr size_t kMaxImageFileBytes = size_t{256} << 20;
// Inline pixel images: the largest side accepted.
constexpr int64_t kMaxPixelSide = 16384;

std::shared_ptr<const Image> ReadImageFile(const Json& node, const Place& where,
                                           const ReaderContext& context) {
    const std::string name = ReadString(node, where);
    const std::string path = skptext::PathToUtf8(context.folder / skptext::PathFromUtf8(name));
    std::string bytes, reason;
    if (!ReadRegularFile(path, kMaxImageFileBytes, bytes, reason)) {
        Refuse(where, "cannot read image \"" + name + "\": " + reason);
    }
    auto image = std::make_shared<Image>();
    if (!DecodeImageMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *image,
                           reason)) {
        Refuse(where, "cannot decode image \"" + name + "\": " + reason);
    }
    return image;
}

std::shared_ptr<const Image> ReadPixels(const Json& node, const Place& where) {
    const Fields fields(node, where, {"width", "height", "bitsPerPixel", "data"});
    auto image = std::make_shared<Image>();
    image->width = static_cast<int>(
        ReadInteger(fields.Require("width"), fields.At("width"), 1, kMaxPixelSide));
    image->height = static_cast<int>(
        ReadInteger(fields.Require("height"), fields.At("height"), 1, kMaxPixelSide));
    const Place bppWhere = fields.At("bitsPerPixel");
    image->bitsPerPixel =
        static_cast<int>(ReadInteger(fields.Require("bitsPerPixel"), bppWhere, 24, 32));
    if (image->bitsPerPixel != 24 && image->bitsPerPixel != 32) {
        Refuse(bppWhere, "bits per pixel must be 24 or 32");
    }
    const Place dataWhere = fields.At("data");
    const std::string text = ReadString(fields.Require("data"), dataWhere);
    if (!DecodeBase64(text, image->data)) Refuse(dataWhere, "not valid base64");
    const size_t expected =
        size_t(image->width) * size_t(image->height) * size_t(image->bitsPerPixel / 8);
    if (image->data.size() != expected) {
        Refuse(dataWhere, std::to_string(image->data.size()) + " bytes of pixels where " +
                              std::to_string(image->width) + " x " + std::to_string(image->height) +
                              " at " + std::to_string(image->bitsPerPixel) + " bits need " +
                              std::to_string(expected));
    }
    return image;
}

double ReadScale(const Json& node, const Place& where) {
    const double scale = ReadNumber(node, where);
    if (!(scale > 0)) Refuse(where, "a texture scale must be greater than 0");
    return scale;
}

std::unique_ptr<Texture> ReadTexture(const Json& node, const Place& where,
                                     const ReaderContext& context) {
    const Fields fields(node, where,
                        {"file", "image", "pixels", "width", "height", "sScale", "tScale", "fail"});
    auto texture = std::make_unique<Texture>();
    if (const Json* file = fields.Find("file"))
        texture->fileName = ReadString(*file, fields.At("file"));
    const Json* image = fields.Find("image");
    const Json* pixels = fields.Find("pixels");
    if ((image == nullptr) == (pixels == nullptr)) {
        Refuse(where, "a texture needs exactly one of \"image\" and \"pixels\"");
    }
    texture->image = image ? ReadImageFile(*image, fields.At("image"), context)
                           : ReadPixels(*pixels, fields.At("pixels"));
    constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();
    texture->width = static_cast<size_t>(texture->image->width);
    texture->height = static_cast<size_t>(texture->image->height);
    if (const Json* width = fields.Find("width")) {
        texture->width = static_cast<size_t>(ReadInteger(*width, fields.At("width"), 0, kMaxSize));
    }
    if (const Json* height = fields.Find("height")) {
        texture->height =
            static_cast<size_t>(ReadInteger(*height, fields.At("height"), 0, kMaxSize));
    }
    // The default scales map the image's own pixels once per inch-unit of s and t.
    texture->sScale = 1.0 / texture->image->width;
    texture->tScale = 1.0 / texture->image->height;
    if (const Json* s = fields.Find("sScale")) texture->sScale = ReadScale(*s, fields.At("sScale"));
    if (const Json* t = fields.Find("tScale")) texture->tScale = ReadScale(*t, fields.At("tScale"));
    if (const Json* fail = fields.Find("fail")) {
        texture->fails = ReadFailList(*fail, fields.At("fail"), kTextureOwner);
    }
    return texture;
}

SUColor ReadColor(const Json& node, const Place& where) {
    const JsonArray channels = ReadArray(node, where);
    if (channels.size() != 4) {
        Refuse(where, "expected red, green, blue and alpha, found " +
                          std::to_string(channels.size()) + " values");
    }
    SUByte bytes[4];
    size_t i = 0;
    for (const Json channel : channels) {
        bytes[i] = static_cast<SUByte>(ReadInteger(channel, Place(where, i), 0, 255));
        ++i;
    }
    return SUColor{bytes[0], bytes[1], bytes[2], bytes[3]};
}

SUMaterialType ReadMaterialType(const Json& node, const Place& where) {
    const std::string type = ReadString(node, where);
    if (type == "color") return SUMaterialType_Colored;
    if (type == "textured") return SUMaterialType_Textured;
    if (type == "colorized") return SUMaterialType_ColorizedTexture;
    Refuse(where, "unknown material type \"" + type + "\" (known: color, textured, colorized)");
}

void ReadDictionaries(const Json& node, const Place& where, Material& material) {
    const JsonArray items = ReadArray(node, where);
    material.dictionaries.resize(items.size());
    size_t i = 0;
    for (const Json item : items) {
        const Fields fields(item, Place(where, i), {"dictionary", "values"});
        AttributeDictionary& dictionary = material.dictionaries[i++];
        dictionary.name = ReadString(fields.Require("dictionary"), fields.At("dictionary"));
        dictionary.fails = material.fails;  // the material's list governs its dictionaries
        if (const Json* values = fields.Find("values")) {
            dictionary.values = ReadValueMap(*values, fields.At("values"));
        }
    }
}

void ReadMaterial(const Json& node, const Place& where, ReaderContext& context,
                  Material& material) {
    const Fields fields(node, where, {"name", "color", "type", "texture", "attributes", "fail"});
    material.name = ReadString(fields.Require("name"), fields.At("name"));
    if (!context.materials.emplace(material.name, &material).second) {
        Refuse(fields.At("name"), "another material is named \"" + material.name + "\"");
    }
    if (const Json* fail = fields.Find("fail")) {
        material.fails = ReadFailList(*fail, fields.At("fail"), kMaterialOwner);
    }
    if (const Json* color = fields.Find("color"))
        material.color = ReadColor(*color, fields.At("color"));
    if (const Json* texture = fields.Find("texture")) {
        material.texture = ReadTexture(*texture, fields.At("texture"), context);
        material.texture->material = &material;
    }
    material.materialType = material.texture ? SUMaterialType_Textured : SUMaterialType_Colored;
    if (const Json* type = fields.Find("type")) {
        material.materialType = ReadMaterialType(*type, fields.At("type"));
    }
    if (const Json* attributes = fields.Find("attributes")) {
        ReadDictionaries(*attributes, fields.At("attributes"), material);
    }
}

}  // namespace

void ReadMaterials(const Json& node, const Place& where, ReaderContext& context) {
    const JsonArray items = ReadArray(node, where);
    // Sized once: layers, faces and textures point into this vector.
    context.model.materials.resize(items.size());
    size_t i = 0;
    for (const Json item : items) {
        ReadMaterial(item, Place(where, i), context, context.model.materials[i]);
        ++i;
    }
}

const Material* FindMaterial(const Json* node, const Place& where, const ReaderContext& context) {
    if (node == nullptr || node->is_null()) return nullptr;
    const std::string name = ReadString(*node, where);
    auto found = context.materials.find(name);
    if (found == context.materials.end()) Refuse(where, "no material is named \"" + name + "\"");
    return found->second;
}

}  // namespace skpm
