#pragma once

#include <oneapi/tbb/concurrent_unordered_map.h>
#include <oneapi/tbb/concurrent_unordered_set.h>

#include <cstddef>
#include <cstdint>

#include "SkpLeafNode.h"

namespace Importing {

// Leaf records come from a slab allocator: their addresses share their low bits, and the set's
// buckets are chosen by the low bits of the hash. Mixing the bits keeps every bucket in use.
struct LeafHash {
    std::size_t operator()(const SkpLeafNode* leaf) const noexcept {
        std::uint64_t x = reinterpret_cast<std::uintptr_t>(leaf);
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdULL;
        x ^= x >> 33;
        return static_cast<std::size_t>(x);
    }
};

// Leaf records filed by material: the key is the pointer value of the material handle, the null
// handle standing for faces without material.
using LeafSet = tbb::concurrent_unordered_set<SkpLeafNode*, LeafHash>;
using MaterialLeafMap = tbb::concurrent_unordered_map<void*, LeafSet>;

inline constexpr std::size_t kLeafBuckets = 8;
inline constexpr float kLeafLoadFactor = 4.0f;

}  // namespace Importing
