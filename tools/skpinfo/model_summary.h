// What a model holds, gathered through the SketchUp C API alone.
#pragma once

#include <SketchUpAPI/sketchup.h>

#include <array>
#include <map>
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

// The "fail" list of one object of the document: the calls it names, and what those calls would
// take from the counts if they failed. A count cut off by an outer list is charged to that one.
struct FaultList {
    std::string object;  // e.g. face 0 of the root entities, definition "Chair"
    std::vector<std::string> calls;
    std::map<std::string, size_t> hides;  // count ("faces", "mesh vertices", ...) to how many
};

struct ModelSummary {
    std::optional<std::array<int, 3>> version;
    std::vector<LayerInfo> layers;
    std::optional<std::string> defaultLayer;
    std::vector<MaterialInfo> materials;
    size_t componentDefinitions = 0, groupDefinitions = 0, imageDefinitions = 0;
    GeometryCounts root, total;
    std::vector<FaultList> faultLists;  // in the order the walk meets their objects
    // Calls the model answered with an error although no fail list names them.
    std::vector<std::string> failedCalls;
};

// Counts what `model` holds: open it with its fault injection left out
// (SKPMModelCreateFromFileWithoutFaults) and the fail lists are reported instead of obeyed.
ModelSummary Summarize(SUModelRef model);

}  // namespace skpinfo
