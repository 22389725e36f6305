#include "reliability_support.h"

#include <algorithm>

#include "file_contents.h"
#include "model_documents.h"
#include "test_platform.h"

namespace reliability {

namespace fs = std::filesystem;
using nlohmann::json;

json TexturedModel(const std::vector<std::string>& textureFileNames,
                   const std::vector<json>& pixels) {
    json materials = {{{"name", "Plain"}, {"color", {200, 10, 10, 255}}}};
    json faces = {testsupport::Painted(testsupport::Square(5, 0), "Plain")};
    for (size_t i = 0; i < textureFileNames.size(); ++i) {
        const std::string name = "M" + std::to_string(i);
        materials.push_back(testsupport::TexturedMaterial(
            name, textureFileNames[i],
            i < pixels.size() ? pixels[i] : testsupport::GreyPixels(3, 32)));
        faces.push_back(
            testsupport::Painted(testsupport::Square(5, static_cast<double>(i + 1)), name));
    }
    return testsupport::Document({{"faces", faces}}, json::array(), materials);
}

std::vector<fs::path> FilesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

Import RunImport(const std::string& model, const std::string& tmpdir, const fs::path& cwd,
                 const fs::path& sceneFile) {
    Import result;
    result.run = testsupport::RunTool(
        SKPIMPORT_PATH, {"--quiet", "--scene-json", testsupport::Utf8(sceneFile), model},
        testsupport::ToolOptions{
            {{testsupport::kTempFolderVariable, tmpdir}}, cwd, std::chrono::seconds(60)});
    if (fs::exists(sceneFile)) result.scene = testsupport::ReadJson(sceneFile);
    return result;
}

json WithoutTextures(const json& scene) {
    json kept = {{"nodes", scene.at("nodes")}, {"geometries", scene.at("geometries")}};
    for (const json& material : scene.at("materials"))
        kept["materials"].push_back({material.at("name"), material.at("surfaceType")});
    for (const json& surface : scene.at("surfaces"))
        kept["surfaces"].push_back({surface.at("geometry"), surface.at("material")});
    return kept;
}

}  // namespace reliability
