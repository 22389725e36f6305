#include "Importing/SceneContainer.h"

namespace Importing {

SceneContainer::SceneContainer() = default;
SceneContainer::~SceneContainer() = default;

void SceneContainer::SetSourceDescription(const std::u16string& text) {
    sourceDescriptions.push_back(text);
}

void SceneContainer::SetRootNodeIndex(int index) {
    rootNodeIndex = index;
}

int SceneContainer::CreateNewGeometryInLibrary() {
    geometryLibrary.emplace_back();
    return static_cast<int>(geometryLibrary.size() - 1);
}

int SceneContainer::AddMaterialToLibrary(const Material& material, int flags) {
    sceneMaterials.push_back(material);
    materialFlags.push_back(flags);
    return static_cast<int>(sceneMaterials.size() - 1);
}

int SceneContainer::AddTextureToLibrary(const std::u16string& path, int flags) {
    textureLibrary.push_back(path);
    textureFlags.push_back(flags);
    return static_cast<int>(textureLibrary.size() - 1);
}

void SceneContainer::FinishLoad(bool a, bool b) {
    finishCalls.push_back({"FinishLoad", {a, b}});
}

void SceneContainer::FinishStep1() {
    finishCalls.push_back({"FinishStep1", {}});
}

void SceneContainer::FinishStep2() {
    finishCalls.push_back({"FinishStep2", {}});
    finished_ = true;
}

int SceneContainer::GetLoadResult() {
    return finished_ ? 0 : -1;
}

}  // namespace Importing
