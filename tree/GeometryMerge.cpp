#include <Importing/Geometry.h>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_for_each.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

#include "SkpReader.h"

namespace Importing {

namespace {

// Leaf ranges are laid out by face scan order, then placement, then side, so that a model gives
// the same geometry whatever order the walk's tasks filed them in. The key carries what decides
// almost every comparison, so sorting rarely has to visit the leaf records themselves.
struct LeafKey {
    uint32_t scanOrder;
    uint32_t translation[3];  // the placement's translation row, bit for bit
    bool backSide;
    SkpLeafNode* leaf;

    explicit LeafKey(SkpLeafNode* record)
        : scanOrder(record->faceInfo->scanOrder), backSide(record->backSide), leaf(record) {
        std::memcpy(translation, record->transform.m[3], sizeof(translation));
    }
};

bool operator<(const LeafKey& a, const LeafKey& b) {
    if (a.scanOrder != b.scanOrder) return a.scanOrder < b.scanOrder;
    const int moved = std::memcmp(a.translation, b.translation, sizeof(a.translation));
    if (moved != 0) return moved < 0;
    const int placed =
        std::memcmp(&a.leaf->transform, &b.leaf->transform, sizeof(a.leaf->transform));
    if (placed != 0) return placed < 0;
    return a.backSide < b.backSide;
}

struct LeafTotals {
    int32_t vertices = 0;
    int32_t indices = 0;
};

// Counted in parallel over the flat keys: the set itself splits poorly, by walking its list.
LeafTotals CountLeaves(const std::vector<LeafKey>& leaves) {
    std::atomic<int32_t> vertexTotal = 0, indexTotal = 0;
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, leaves.size()),
                      [&](const tbb::blocked_range<std::size_t>& range) {
                          int32_t vertices = 0, indices = 0;
                          for (std::size_t i = range.begin(); i != range.end(); ++i) {
                              vertices += leaves[i].leaf->faceInfo->numVertices;
                              indices += leaves[i].leaf->faceInfo->numIndices;
                          }
                          vertexTotal.fetch_add(vertices, std::memory_order_relaxed);
                          indexTotal.fetch_add(indices, std::memory_order_relaxed);
                      });
    return {vertexTotal.load(), indexTotal.load()};
}

}  // namespace

// One task per material: each geometry is sized once to the exact totals of its leaf records
// and then filled by that task alone.
void SkpReader::MergeGeometries() {
    std::vector<std::pair<void*, const LeafSet*>> entries;
    entries.reserve(materialLeaves.size());
    for (const auto& [key, leaves] : materialLeaves) entries.emplace_back(key, &leaves);

    tbb::parallel_for_each(entries.begin(), entries.end(), [&](const auto& entry) {
        const SkpMaterialInfo& record = *materials.FindMaterial(SUMaterialRef{entry.first});
        std::vector<LeafKey> ordered(entry.second->begin(), entry.second->end());
        const LeafTotals totals = CountLeaves(ordered);
        Geometry* geometry = record.geometry;
        if (totals.vertices == 0 || geometry == nullptr) return;

        geometry->vertices.resize(totals.vertices);
        geometry->indices.resize(totals.indices);
        std::sort(ordered.begin(), ordered.end());
        int vertexOffset = 0, indexOffset = 0;
        for (const LeafKey& key : ordered) {
            SkpLeafNode* leaf = key.leaf;
            AddFaceToGeometry(geometry, leaf, vertexOffset, indexOffset, record.sScale,
                              record.tScale);
            vertexOffset += leaf->faceInfo->numVertices;
            indexOffset += leaf->faceInfo->numIndices;
        }
    });
}

}  // namespace Importing
