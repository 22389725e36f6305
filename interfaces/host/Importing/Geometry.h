// A triangle list: every three entries of `indices` are one triangle of `vertices`.
#pragma once

#include <cstdint>
#include <vector>

#include "Importing/HashObject.h"
#include "Importing/Vertex.h"

namespace Importing {

class Geometry : public HashObject {
public:
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
};

}  // namespace Importing
