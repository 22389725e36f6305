// What a model holds, gathered through the SketchUp C API alone.
#pragma once

#include <SketchUpAPI/sketchup.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace skpinfo {

struct LayerInfo {
    std::string name;
    bool visible = true;
    std::optional<std::string> material;
};

struct TextureInfo {
    std::string fileName;
    size_t width = 0, height = 0, bitsPerPixel = 0;
    double sScale = 0, tScale = 0;
};

struct MaterialInfo {
    std::string name;
    SUMaterialType type = SUMaterialType_Colored;
    std::optional<SUColor> color;
    std::optional<TextureInfo> texture;
    size_t dictionaries = 0;
};

// Counts over every definition once (component, group and image) and the root entities once.
struct GeometryCounts {
    size_t faces = 0, triangles = 0, meshVertices = 0;
    size_t groups = 0, instances = 0, images = 0;
};

struct ModelSummary {
    std::optional<std::array<int, 3>> version;
    std::vector<LayerInfo> layers;
    std::optional<std::string> defaultLayer;
    std::vector<MaterialInfo> materials;
    size_t componentDefinitions = 0, groupDefinitions = 0, imageDefinitions = 0;
    GeometryCounts root, total;
    // Calls the model answered with an error (a document's fault injection makes some fail).
    std::vector<std::string> failedCalls;
};

ModelSummary Summarize(SUModelRef model);

}  // namespace skpinfo
