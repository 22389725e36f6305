#pragma once

#include <oneapi/tbb/concurrent_unordered_map.h>
#include <oneapi/tbb/concurrent_unordered_set.h>

#include "SkpLeafNode.h"

namespace Importing {

// Leaf records filed by material: the key is the pointer value of the material handle, the null
// handle standing for faces without material.
using LeafSet = tbb::concurrent_unordered_set<SkpLeafNode*>;
using MaterialLeafMap = tbb::concurrent_unordered_map<void*, LeafSet>;

inline constexpr std::size_t kLeafBuckets = 8;
inline constexpr float kLeafLoadFactor = 4.0f;

}  // namespace Importing
