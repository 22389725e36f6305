#pragma once

#include <oneapi/tbb/concurrent_unordered_map.h>
#include <oneapi/tbb/concurrent_vector.h>

#include "SkpLeafNode.h"

namespace Importing {

// Leaf records filed by material: the key is the pointer value of the material handle, the null
// handle standing for faces without material. The records are held by value; a concurrent vector
// never moves what it holds, so the walk's tasks append blocks of them while others read.
using LeafList = tbb::concurrent_vector<SkpLeafNode>;
using MaterialLeafMap = tbb::concurrent_unordered_map<void*, LeafList>;

// The placements the leaf records point to, one per visit of a collection with faces.
using PlacementList = tbb::concurrent_vector<SkpPlacement>;

}  // namespace Importing
