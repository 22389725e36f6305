// A node of the scene tree. Children refer to parents through the container's node list; a node
// draws the surfaces listed in surfaceIndices (indices into SceneContainer::surfaces).
#pragma once

#include <string>
#include <vector>

#include "HostExport.h"
#include "Importing/Transform.h"

namespace Importing {

class HOST_SCENE_API Node {
public:
    Node();

    void SetName(const std::u16string& name);
    void SetLocalTransform(const Transform& transform);
    const std::u16string& GetName() const;
    const Transform& GetLocalTransform() const;

    std::vector<int> surfaceIndices;

private:
    std::u16string name_;
    Transform localTransform_;
};

}  // namespace Importing
