#include "scene_materials.h"

#include <skptext/file_path.h>
#include <skptext/utf.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "texture_image.h"

namespace gltf {
namespace {

double Unit(float value) {
    return std::clamp(static_cast<double>(value), 0.0, 1.0);
}

tinygltf::Value Colour(const D3DXCOLOR& c) {
    return tinygltf::Value(
        tinygltf::Value::Array{tinygltf::Value(double(c.r)), tinygltf::Value(double(c.g)),
                               tinygltf::Value(double(c.b)), tinygltf::Value(double(c.a))});
}

// The DIFFUSE texture id of the first surface drawing `material`; -1 when none has one.
int DiffuseTextureOf(const Importing::SceneContainer& scene, int material) {
    for (const Importing::Surface& surface : scene.surfaces) {
        if (surface.GetMaterialId() != material) continue;
        for (const auto& [name, value] : surface.GetMaps())
            if (name == u"DIFFUSE" && value >= 0) return value;
    }
    return -1;
}

// glTF textures made from the scene's texture files, each file read once.
class TextureCache {
public:
    TextureCache(const Importing::SceneContainer& scene, GltfBuilder& builder,
                 std::vector<std::string>& warnings)
        : scene_(scene), builder_(builder), warnings_(warnings) {}

    // The glTF texture of scene texture `id`; -1 when it cannot be had.
    int Get(int id) {
        if (const auto found = made_.find(id); found != made_.end()) return found->second;
        return made_[id] = Make(id);
    }

    // Whether glTF texture `texture` has pixels that are not fully opaque.
    bool IsCutOut(int texture) const { return cutOuts_.count(texture) != 0; }

private:
    int Make(int id) {
        if (id < 0 || static_cast<size_t>(id) >= scene_.textureLibrary.size()) {
            warnings_.push_back("texture " + std::to_string(id) + " is not in the scene; left out");
            return -1;
        }
        const std::string path = skptext::ToUtf8(scene_.textureLibrary[id]);
        std::string problem;
        std::optional<EncodedImage> image = ReadTextureImage(path, problem);
        if (!image) {
            warnings_.push_back("texture " + path + " " + problem + "; left out");
            return -1;
        }
        const bool cutOut = HasTransparentPixels(*image);
        // The name of the file, also when a Windows folder holds it.
        const int texture =
            builder_.AddTexture(std::move(*image), path.substr(skptext::FileNameStart(path)));
        if (cutOut) cutOuts_.insert(texture);
        return texture;
    }

    const Importing::SceneContainer& scene_;
    GltfBuilder& builder_;
    std::vector<std::string>& warnings_;
    std::map<int, int> made_;
    std::set<int> cutOuts_;
};

tinygltf::Material ToGltf(const Importing::Material& material, int texture, bool cutOut) {
    tinygltf::Material out;
    out.name = skptext::ToUtf8(material.GetName());
    const D3DXCOLOR& diffuse = material.GetDiffuse();
    const double alpha = Unit(diffuse.a) * Unit(material.GetOpacity());
    out.pbrMetallicRoughness.baseColorFactor = {Unit(diffuse.r), Unit(diffuse.g), Unit(diffuse.b),
                                                alpha};
    // SketchUp's materials are painted surfaces, not metal.
    out.pbrMetallicRoughness.metallicFactor = 0;
    out.pbrMetallicRoughness.roughnessFactor = 1;
    if (texture >= 0) out.pbrMetallicRoughness.baseColorTexture.index = texture;
    // A see-through material blends; an opaque one whose texture has transparent pixels (leaves,
    // fences) is cut out along them.
    if (alpha < 1) {
        out.alphaMode = "BLEND";
    } else if (cutOut) {
        out.alphaMode = "MASK";
    }

    // The engine's emissive is the material's own colour (its ambient term), not light given off;
    // as emissiveFactor it would make every surface glow, so it stays with the other settings.
    tinygltf::Value::Object extras;
    extras["surfaceType"] =
        tinygltf::Value(std::string(SurfaceTypeName(material.GetSurfaceType())));
    extras["surfaceTypeId"] = tinygltf::Value(static_cast<int>(material.GetSurfaceType()));
    extras["opacity"] = tinygltf::Value(double(material.GetOpacity()));
    extras["specularPower"] = tinygltf::Value(double(material.GetSpecularPower()));
    extras["emissive"] = Colour(material.GetEmissive());
    out.extras = tinygltf::Value(std::move(extras));
    return out;
}

}  // namespace

const char* SurfaceTypeName(int surfaceType) {
    switch (surfaceType) {
        case Importing::SURFACE_ORDINARY:
            return "ordinary";
        case Importing::SURFACE_WATER:
            return "water";
        case Importing::SURFACE_GLASS:
            return "glass";
        default:
            return "unknown";
    }
}

void AddSceneMaterials(const Importing::SceneContainer& scene, GltfBuilder& builder,
                       std::vector<std::string>& warnings) {
    TextureCache textures(scene, builder, warnings);
    for (size_t m = 0; m < scene.sceneMaterials.size(); ++m) {
        const int id = DiffuseTextureOf(scene, static_cast<int>(m));
        const int texture = id >= 0 ? textures.Get(id) : -1;
        builder.AddMaterial(
            ToGltf(scene.sceneMaterials[m], texture, texture >= 0 && textures.IsCutOut(texture)));
    }
}

}  // namespace gltf
