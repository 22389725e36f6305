#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

namespace skpmgen {

// What a generated city holds. Every instance places one of the definitions; the share of
// mirrored placements is mirrored along x.
struct CityParameters {
    int definitions = 20;
    int facesPerDefinition = 100;  // a mix of quads, concave outlines and faces with a hole
    int instances = 2000;
    int depth = 2;  // 1: instances at the top; 2: in blocks; 3: blocks in districts
    double mirroredShare = 0.1;
    int materials = 8;
    int texturedMaterials = 2;
    int layers = 4;
    uint32_t seed = 1;
};

// A model document of the city, in the format the stand-in SketchUp library reads.
nlohmann::json MakeCityDocument(const CityParameters& parameters);

// How many faces one placement of every definition holds in all, and how many placed face sides
// a double-sided load yields.
struct CityCounts {
    int64_t definitionFaces = 0;
    int64_t placedFaceSides = 0;
};
CityCounts CountCity(const CityParameters& parameters);

}  // namespace skpmgen
