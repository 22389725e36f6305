// One vertex as the engine's vertex buffers hold it: position, normal, texture coordinates.
#pragma once

#include "Importing/HashObject.h"

namespace Importing {

class Vertex : public HashObject {
public:
    Vertex() = default;
    Vertex(float x, float y, float z, float nx, float ny, float nz, float u, float v)
        : x(x), y(y), z(z), nx(nx), ny(ny), nz(nz), u(u), v(v) {}

    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
};

static_assert(sizeof(Vertex) == 32, "the engine copies vertex arrays as 8 floats each");

}  // namespace Importing
