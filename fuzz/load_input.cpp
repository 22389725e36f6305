#include "load_input.h"

#include <Importing/SceneContainer.h>

#include <exception>

#include "SkpReader.h"

namespace skpfuzz {

namespace {

std::u16string Widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

void CheckScene(const Importing::SceneContainer& scene, LoadOutcome& outcome) {
    outcome.geometries = scene.geometryLibrary.size();
    for (const Importing::Geometry& geometry : scene.geometryLibrary) {
        if (geometry.indices.size() % 3 != 0) outcome.violations.push_back("a partial triangle");
        outcome.triangles += geometry.indices.size() / 3;
        for (uint32_t index : geometry.indices) {
            if (index >= geometry.vertices.size()) {
                outcome.violations.push_back("an index past the geometry's vertices");
                break;
            }
        }
    }
    for (const Importing::Surface& surface : scene.surfaces) {
        const int geometry = surface.GetGeometryId(), material = surface.GetMaterialId();
        if (geometry < 0 || static_cast<size_t>(geometry) >= scene.geometryLibrary.size() ||
            material < 0 || static_cast<size_t>(material) >= scene.sceneMaterials.size()) {
            outcome.violations.push_back("a surface naming a missing geometry or material");
        }
    }
}

}  // namespace

LoadOutcome LoadInto(std::string_view bytes, const testsupport::TempFolder& folder,
                     Importing::SceneContainer& scene) {
    const std::string name = bytes.size() % 2 == 1 ? "input_defaultsingle.skpm" : "input.skpm";
    const std::u16string path = Widen(folder.Write(name, bytes));

    LoadOutcome outcome;
    Importing::SkpReader reader;
    if (reader.Init() != 0) {
        outcome.violations.push_back("Init failed");
        return outcome;
    }
    try {
        outcome.result = reader.LoadFromFile(scene, path, u"", false);
    } catch (const std::exception& e) {
        // Raised by design for unreadable parts of a model; the host catches these.
        outcome.raised = e.what();
    }
    reader.Release();
    CheckScene(scene, outcome);
    return outcome;
}

LoadOutcome LoadInput(std::string_view bytes, const testsupport::TempFolder& folder) {
    Importing::SceneContainer scene;
    return LoadInto(bytes, folder, scene);
}

}  // namespace skpfuzz
