#include <Importing/Geometry.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/parallel_for_each.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "SkpReader.h"

namespace Importing {

namespace {

// Leaf ranges are laid out by face scan order, then placement, then side, so that a model gives
// the same geometry whatever order the walk's tasks filed them in.
bool LeafOrder(const SkpLeafNode* a, const SkpLeafNode* b) {
    if (a->faceInfo->scanOrder != b->faceInfo->scanOrder) {
        return a->faceInfo->scanOrder < b->faceInfo->scanOrder;
    }
    const int placement = std::memcmp(&a->transform, &b->transform, sizeof(a->transform));
    if (placement != 0) return placement < 0;
    return a->backSide < b->backSide;
}

struct LeafTotals {
    int32_t vertices = 0;
    int32_t indices = 0;
};

LeafTotals CountLeaves(const LeafSet& leaves) {
    std::atomic<int32_t> vertexTotal = 0, indexTotal = 0;
    tbb::parallel_for(leaves.range(), [&](const LeafSet::const_range_type& range) {
        int32_t vertices = 0, indices = 0;
        for (const SkpLeafNode* leaf : range) {
            vertices += leaf->faceInfo->numVertices;
            indices += leaf->faceInfo->numIndices;
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
        const LeafTotals totals = CountLeaves(*entry.second);
        Geometry* geometry = record.geometry;
        if (totals.vertices == 0 || geometry == nullptr) return;

        geometry->vertices.resize(totals.vertices);
        geometry->indices.resize(totals.indices);
        std::vector<SkpLeafNode*> ordered(entry.second->begin(), entry.second->end());
        std::sort(ordered.begin(), ordered.end(), LeafOrder);
        int vertexOffset = 0, indexOffset = 0;
        for (SkpLeafNode* leaf : ordered) {
            AddFaceToGeometry(geometry, leaf, vertexOffset, indexOffset, record.sScale,
                              record.tScale);
            vertexOffset += leaf->faceInfo->numVertices;
            indexOffset += leaf->faceInfo->numIndices;
        }
    });
}

}  // namespace Importing
