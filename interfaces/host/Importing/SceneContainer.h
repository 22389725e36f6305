// What an importer fills: libraries of geometries, materials and textures, the surfaces pairing
// them, and the node tree. Every id is an index into the matching list.
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"
#include "Importing/Geometry.h"
#include "Importing/Material.h"
#include "Importing/Node.h"
#include "Importing/Surface.h"

namespace Importing {

// One call of the FinishLoad / FinishStep1 / FinishStep2 sequence, with its arguments.
struct FinishCall {
    std::string name;
    std::vector<bool> arguments;
};

class HOST_SCENE_API SceneContainer {
public:
    SceneContainer();
    virtual ~SceneContainer();

    // Every call is kept, in order, in sourceDescriptions.
    virtual void SetSourceDescription(const std::u16string& text);
    virtual void SetRootNodeIndex(int index);

    // Appends an empty geometry; returns its index.
    int CreateNewGeometryInLibrary();
    // Appends a copy; returns its index. flags are recorded beside it.
    virtual int AddMaterialToLibrary(const Material& material, int flags);
    // Appends the path; returns its index. flags are recorded beside it.
    virtual int AddTextureToLibrary(const std::u16string& path, int flags);

    virtual void FinishLoad(bool a, bool b);
    virtual void FinishStep1();
    virtual void FinishStep2();

    // 0 once FinishStep2 has been called, -1 before.
    virtual int GetLoadResult();

    std::vector<Node> nodes;
    std::vector<Geometry> geometryLibrary;
    std::vector<Surface> surfaces;
    std::vector<Material> sceneMaterials;
    std::vector<std::u16string> textureLibrary;
    std::vector<std::u16string> sourceDescriptions;
    int rootNodeIndex = -1;
    std::vector<FinishCall> finishCalls;

    std::vector<int> materialFlags;  // beside sceneMaterials
    std::vector<int> textureFlags;   // beside textureLibrary

private:
    bool finished_ = false;
};

}  // namespace Importing
