// skpmgen: writes a generated city as a model document, for benchmarks and load tests.
#include <gltf_file.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "city_model.h"
#include "model_gltf.h"

namespace {

void Usage(std::ostream& out) {
    out << "usage: skpmgen [options] -o FILE.skpm [--gltf FILE.glb]\n"
           "  --gltf FILE       also write the city as glTF (.glb or .gltf): one mesh per\n"
           "                    definition, one node per placement, front sides only\n"
           "  --definitions N   component definitions (20)\n"
           "  --faces N         faces per definition (100)\n"
           "  --instances N     placements (2000)\n"
           "  --depth N         1: instances at the top, 2: in blocks, 3: blocks in districts (2)\n"
           "  --mirrored F      share of mirrored placements, 0 to 1 (0.1)\n"
           "  --materials N     materials (8), of which --textured N carry a texture (2)\n"
           "  --layers N        layers (4)\n"
           "  --seed N          random seed (1)\n";
}

bool ParseInt(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 100000000) return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    skpmgen::CityParameters parameters;
    std::string output, gltfOutput;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-h" || option == "--help") {
            Usage(std::cout);
            return 0;
        }
        if (i + 1 >= argc) {
            Usage(std::cerr);
            return 2;
        }
        const char* value = argv[++i];
        int number = 0;
        bool ok = true;
        if (option == "-o" || option == "--output") {
            output = value;
        } else if (option == "--gltf") {
            gltfOutput = value;
        } else if (option == "--mirrored") {
            parameters.mirroredShare = std::atof(value);
            ok = parameters.mirroredShare >= 0 && parameters.mirroredShare <= 1;
        } else if ((ok = ParseInt(value, number))) {
            if (option == "--definitions")
                parameters.definitions = std::max(number, 1);
            else if (option == "--faces")
                parameters.facesPerDefinition = number;
            else if (option == "--instances")
                parameters.instances = number;
            else if (option == "--depth")
                parameters.depth = number;
            else if (option == "--materials")
                parameters.materials = number;
            else if (option == "--textured")
                parameters.texturedMaterials = number;
            else if (option == "--layers")
                parameters.layers = number;
            else if (option == "--seed")
                parameters.seed = static_cast<uint32_t>(number);
            else
                ok = false;
        }
        if (!ok) {
            std::cerr << "skpmgen: bad option or value: " << option << " " << value << "\n";
            return 2;
        }
    }
    if (output.empty()) {
        Usage(std::cerr);
        return 2;
    }
    if (!gltfOutput.empty() && !gltf::GltfFormatOf(gltfOutput)) {
        std::cerr << "skpmgen: --gltf needs a file name ending in .glb or .gltf\n";
        return 2;
    }
    std::ofstream file(output);
    file << skpmgen::MakeCityDocument(parameters).dump();
    if (!file.flush()) {
        std::cerr << "skpmgen: cannot write " << output << "\n";
        return 1;
    }
    file.close();
    if (!gltfOutput.empty()) {
        std::string error;
        if (!skpmgen::WriteModelGltf(output, gltfOutput, error)) {
            std::cerr << "skpmgen: " << error << "\n";
            return 1;
        }
    }
    const skpmgen::CityCounts counts = skpmgen::CountCity(parameters);
    std::cout << "wrote " << output << ": " << counts.definitionFaces << " definition faces, "
              << counts.placedFaceSides << " placed face sides when double-sided\n";
    return 0;
}
