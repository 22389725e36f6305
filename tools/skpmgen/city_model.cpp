#include "city_model.h"

#include <algorithm>
#include <random>
#include <string>

namespace skpmgen {

namespace {

using nlohmann::json;

constexpr int kInstancesPerBlock = 100;
constexpr int kBlocksPerDistrict = 10;

std::string Name(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

json Translation(double x, double y, double z, bool mirrored) {
    return {mirrored ? -1 : 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// Face k of a definition: stacked slabs, so faces never touch; every fifth an L (concave), every
// seventh a frame with a hole, the rest quads.
json Face(int k, const CityParameters& parameters, std::mt19937& random) {
    const double z = 12.0 * k;
    const double w = 40 + 8 * (k % 5), d = 30 + 6 * (k % 3);
    json face;
    if (k % 7 == 3) {
        face["outer"] = {{0, 0, z}, {w, 0, z}, {w, d, z}, {0, d, z}};
        face["holes"] = {{{10, 10, z}, {10, d - 10, z}, {w - 10, d - 10, z}, {w - 10, 10, z}}};
    } else if (k % 5 == 1) {
        face["outer"] = {{0, 0, z},         {w, 0, z},     {w, d / 2, z},
                         {w / 2, d / 2, z}, {w / 2, d, z}, {0, d, z}};
    } else {
        face["outer"] = {{0, 0, z}, {w, 0, z}, {w, d, z}, {0, d, z}};
    }
    if (parameters.materials > 0 && random() % 3 != 0) {
        face["front"] = Name("M", static_cast<int>(random() % parameters.materials));
    }
    if (parameters.layers > 1)
        face["layer"] = Name("L", static_cast<int>(random() % parameters.layers));
    return face;
}

json Materials(const CityParameters& parameters) {
    json materials = json::array();
    for (int m = 0; m < parameters.materials; ++m) {
        json material = {
            {"name", Name("M", m)},
            {"color", {40 + 25 * (m % 8), 200 - 20 * (m % 8), 90 + 15 * (m % 5), 255}}};
        if (m < parameters.texturedMaterials) {
            // 2 x 2 pixels, blue-green-red: a checker
            material["texture"] = {{"file", Name("texture", m) + ".png"},
                                   {"sScale", 0.05},
                                   {"tScale", 0.05},
                                   {"pixels",
                                    {{"width", 2},
                                     {"height", 2},
                                     {"bitsPerPixel", 24},
                                     {"data", "/////wAAAAAA////"}}}};
        }
        materials.push_back(material);
    }
    return materials;
}

json Layers(const CityParameters& parameters) {
    json layers = json::array();
    for (int l = 0; l < std::max(parameters.layers, 1); ++l)
        layers.push_back({{"name", Name("L", l)}});
    return layers;
}

// The instances, laid out on a grid, each placing one definition.
json Instances(const CityParameters& parameters, int first, int count, std::mt19937& random) {
    json instances = json::array();
    std::uniform_real_distribution<double> share(0, 1);
    for (int i = first; i < first + count; ++i) {
        const bool mirrored = share(random) < parameters.mirroredShare;
        const double x = 120.0 * (i % 100), y = 120.0 * (i / 100);
        instances.push_back({{"definition", Name("D", i % parameters.definitions)},
                             {"transform", Translation(x + (mirrored ? 60 : 0), y, 0, mirrored)}});
    }
    return instances;
}

}  // namespace

json MakeCityDocument(const CityParameters& parameters) {
    std::mt19937 random(parameters.seed);
    json definitions = json::array();
    for (int d = 0; d < parameters.definitions; ++d) {
        json faces = json::array();
        for (int k = 0; k < parameters.facesPerDefinition; ++k)
            faces.push_back(Face(k, parameters, random));
        definitions.push_back(
            {{"name", Name("D", d)}, {"kind", "component"}, {"entities", {{"faces", faces}}}});
    }

    json root = json::object();
    if (parameters.depth <= 1) {
        root["instances"] = Instances(parameters, 0, parameters.instances, random);
    } else {
        json blocks = json::array();
        for (int first = 0, b = 0; first < parameters.instances; first += kInstancesPerBlock, ++b) {
            const int count = std::min(kInstancesPerBlock, parameters.instances - first);
            definitions.push_back(
                {{"name", Name("Block", b)},
                 {"kind", "group"},
                 {"entities", {{"instances", Instances(parameters, first, count, random)}}}});
            blocks.push_back({{"definition", Name("Block", b)}});
        }
        if (parameters.depth == 2) {
            root["groups"] = blocks;
        } else {
            json districts = json::array();
            for (std::size_t first = 0, n = 0; first < blocks.size();
                 first += kBlocksPerDistrict, ++n) {
                json members(blocks.begin() + first,
                             blocks.begin() + std::min(blocks.size(), first + kBlocksPerDistrict));
                definitions.push_back({{"name", Name("District", n)},
                                       {"kind", "group"},
                                       {"entities", {{"groups", members}}}});
                districts.push_back({{"definition", Name("District", n)}});
            }
            root["groups"] = districts;
        }
    }
    return {{"modelDocument", 1},           {"version", {23, 1, 340}},
            {"layers", Layers(parameters)}, {"materials", Materials(parameters)},
            {"definitions", definitions},   {"entities", root}};
}

CityCounts CountCity(const CityParameters& parameters) {
    CityCounts counts;
    counts.definitionFaces =
        static_cast<int64_t>(parameters.definitions) * parameters.facesPerDefinition;
    counts.placedFaceSides =
        2 * static_cast<int64_t>(parameters.instances) * parameters.facesPerDefinition;
    return counts;
}

}  // namespace skpmgen
