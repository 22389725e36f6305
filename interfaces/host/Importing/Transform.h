// A node's 4x4 transform, row-vector convention (translation in row 3).
#pragma once

#include "HostExport.h"

namespace Importing {

class HOST_SCENE_API Transform {
public:
    // The identity.
    Transform();
    explicit Transform(const float (&matrix)[4][4]);

    // The identity matrix (the engine's historical spelling).
    static const float Indentity[4][4];

    const float (&Matrix() const)[4][4] { return matrix_; }

private:
    float matrix_[4][4];
};

}  // namespace Importing
