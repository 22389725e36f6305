// One geometry drawn with one material. Maps name a texture channel ("DIFFUSE", ...) and give a
// texture id (an index into SceneContainer::textureLibrary, -1 for none).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "HostExport.h"
#include "Importing/HashObject.h"

namespace Importing {

class HOST_SCENE_API Surface : public HashObject {
public:
    Surface(int geometryId, int materialId);

    void AddMap(const std::u16string& name, int value);

    int GetGeometryId() const;
    int GetMaterialId() const;
    const std::vector<std::pair<std::u16string, int>>& GetMaps() const;

private:
    int geometryId_;
    int materialId_;
    std::vector<std::pair<std::u16string, int>> maps_;
};

}  // namespace Importing
