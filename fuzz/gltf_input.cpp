#include "gltf_input.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <span>

#include "gltf_file.h"
#include "gltf_invariants.h"
#include "gltf_readback.h"
#include "scene_counts.h"
#include "scene_gltf.h"

namespace skpfuzz {

namespace {

namespace fs = std::filesystem;

// Writes the scene to `path` and reads it back; nothing when either fails.
std::optional<tinygltf::Model> WriteAndRead(const Importing::SceneContainer& scene,
                                            const fs::path& path,
                                            std::vector<std::string>& violations) {
    const std::string name = path.filename().string();
    std::vector<std::string> warnings;  // what the writer left out, by design
    std::string error;
    if (!gltf::WriteGltf(gltf::SceneToGltf(scene, warnings), path.string(), error)) {
        violations.push_back(name + " cannot be written: " + error);
        return std::nullopt;
    }
    tinygltf::Model model;
    std::string problem;
    if (!gltf::ReadGltfFile(path.string(), model, problem)) {
        violations.push_back(name + " cannot be read back: " + problem);
        return std::nullopt;
    }
    for (const std::string& violation : gltf::GltfInvariantViolations(model))
        violations.push_back(name + ": " + violation);
    for (const std::string& violation : SceneCountViolations(scene, model))
        violations.push_back(name + ": " + violation);
    return model;
}

std::span<const unsigned char> AccessorBytes(const tinygltf::Model& model, int accessor) {
    const std::optional<gltf::AccessorLayout> layout = gltf::LayOut(model, accessor);
    if (!layout || layout->count == 0) return {};
    return {layout->first, (layout->count - 1) * layout->stride + layout->elementBytes};
}

// The same document written twice must read back the same but for where the images lie.
void CompareFormats(const tinygltf::Model& binary, const tinygltf::Model& text,
                    std::vector<std::string>& violations) {
    if (binary.accessors.size() != text.accessors.size() ||
        binary.meshes.size() != text.meshes.size() || binary.nodes.size() != text.nodes.size() ||
        binary.materials.size() != text.materials.size() ||
        binary.images.size() != text.images.size()) {
        violations.push_back(".glb and .gltf hold different numbers of things");
        return;
    }
    for (size_t a = 0; a < binary.accessors.size(); ++a) {
        const auto one = AccessorBytes(binary, static_cast<int>(a));
        const auto other = AccessorBytes(text, static_cast<int>(a));
        if (!std::equal(one.begin(), one.end(), other.begin(), other.end()))
            violations.push_back(".glb and .gltf differ in accessor " + std::to_string(a));
    }
    for (size_t i = 0; i < binary.images.size(); ++i) {
        if (binary.images[i].image != text.images[i].image)
            violations.push_back(".glb and .gltf differ in the pixels of image " +
                                 std::to_string(i));
    }
}

}  // namespace

GltfOutcome WriteAndReadBack(std::string_view bytes, const testsupport::TempFolder& folder) {
    GltfOutcome outcome;
    Importing::SceneContainer scene;
    outcome.load = LoadInto(bytes, folder, scene);
    outcome.violations = outcome.load.violations;

    const fs::path out = folder.Path() / "gltf";
    fs::create_directory(out);
    const std::optional<tinygltf::Model> binary =
        WriteAndRead(scene, out / "scene.glb", outcome.violations);
    const std::optional<tinygltf::Model> text =
        WriteAndRead(scene, out / "scene.gltf", outcome.violations);
    if (binary) {
        outcome.meshes = binary->meshes.size();
        outcome.images = binary->images.size();
    }
    if (binary && text) CompareFormats(*binary, *text, outcome.violations);
    return outcome;
}

}  // namespace skpfuzz
