// skpmgen: writes a generated city as a model document, for benchmarks and load tests.
#include <gltf_file.h>
#include <skptext/file_path.h>
#include <skptext/program_text.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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

// What the command line asks for; paths in UTF-8.
struct Options {
    skpmgen::CityParameters city;
    std::string output, gltfOutput;
};

// Reads one option's value into `options`; false when the option is unknown or its value invalid.
bool ReadOption(const std::string& option, const std::string& value, Options& options) {
    skpmgen::CityParameters& city = options.city;
    if (option == "-o" || option == "--output") {
        options.output = value;
        return true;
    }
    if (option == "--gltf") {
        options.gltfOutput = value;
        return true;
    }
    if (option == "--mirrored") {
        city.mirroredShare = std::atof(value.c_str());
        return city.mirroredShare >= 0 && city.mirroredShare <= 1;
    }
    int number = 0;
    if (!ParseInt(value.c_str(), number)) return false;
    if (option == "--definitions")
        city.definitions = std::max(number, 1);
    else if (option == "--faces")
        city.facesPerDefinition = number;
    else if (option == "--instances")
        city.instances = number;
    else if (option == "--depth")
        city.depth = number;
    else if (option == "--materials")
        city.materials = number;
    else if (option == "--textured")
        city.texturedMaterials = number;
    else if (option == "--layers")
        city.layers = number;
    else if (option == "--seed")
        city.seed = static_cast<uint32_t>(number);
    else
        return false;
    return true;
}

// Reads the arguments into `options`; answers the exit status when the program ends here: after
// the help, or after a usage error it has reported.
std::optional<int> ReadArguments(const std::vector<std::string>& arguments, Options& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "-h" || option == "--help") {
            Usage(std::cout);
            return 0;
        }
        if (i + 1 >= arguments.size()) {
            Usage(std::cerr);
            return 2;
        }
        const std::string& value = arguments[++i];
        if (!ReadOption(option, value, options)) {
            std::cerr << "skpmgen: bad option or value: " << option << " " << value << "\n";
            return 2;
        }
    }
    if (options.output.empty()) {
        Usage(std::cerr);
        return 2;
    }
    if (!options.gltfOutput.empty() && !gltf::GltfFormatOf(options.gltfOutput)) {
        std::cerr << "skpmgen: --gltf needs a file name ending in .glb or .gltf\n";
        return 2;
    }
    return std::nullopt;
}

// Writes the city's document, then its glTF when asked; answers the exit status.
int WriteCity(const Options& options) {
    std::ofstream file(skptext::PathFromUtf8(options.output), std::ios::binary);
    file << skpmgen::MakeCityDocument(options.city).dump();
    if (!file.flush()) {
        std::cerr << "skpmgen: cannot write " << options.output << "\n";
        return 1;
    }
    file.close();
    if (!options.gltfOutput.empty()) {
        std::string error;
        if (!skpmgen::WriteModelGltf(options.output, options.gltfOutput, error)) {
            std::cerr << "skpmgen: " << error << "\n";
            return 1;
        }
    }
    const skpmgen::CityCounts counts = skpmgen::CountCity(options.city);
    std::cout << "wrote " << options.output << ": " << counts.definitionFaces
              << " definition faces, " << counts.placedFaceSides
              << " placed face sides when double-sided\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::optional<int> status =
            ReadArguments(skptext::Utf8Arguments(argc, argv), options))
        return *status;
    return WriteCity(options);
}
