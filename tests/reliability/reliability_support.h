// Models and checks shared by the reliability tests.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool_run.h"

namespace reliability {

// One import by the host tool: its run, and the scene JSON it wrote (null when none).
struct Import {
    testsupport::ToolRun run;
    nlohmann::json scene;
};

// Imports `model` (UTF-8) with skpimport, textures going to the folder `tmpdir` (UTF-8), from the
// working folder `cwd`; the scene JSON is written to `sceneFile`.
Import RunImport(const std::string& model, const std::string& tmpdir,
                 const std::filesystem::path& cwd, const std::filesystem::path& sceneFile);

// A model with one textured material per texture file name ("M0", "M1", ...), each on a face of
// its own, and one plain material. Texture i has pixels[i] when given (see GreyPixels), else three
// grey pixels with alpha, which the load writes as PNG.
nlohmann::json TexturedModel(const std::vector<std::string>& textureFileNames,
                             const std::vector<nlohmann::json>& pixels = {});

// Everything under `root` that is not a folder, recursively, sorted.
std::vector<std::filesystem::path> FilesUnder(const std::filesystem::path& root);

// What a scene JSON says apart from textures: nodes, geometries, surfaces' geometries, material
// names and surface types. Two loads of one model that differ only in their textures agree on it.
nlohmann::json WithoutTextures(const nlohmann::json& scene);

}  // namespace reliability
