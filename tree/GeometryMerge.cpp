#include <Importing/Geometry.h>
#include <oneapi/tbb/parallel_for.h>

#include <cstdint>
#include <limits>
#include <new>
#include <unordered_map>
#include <vector>

#include "MergeLayout.h"
#include "SkpReader.h"

namespace Importing {

namespace {

// Gives every material record that the plans fill a merge slot, and writes it into their runs.
// Keys that fall back to the same record (the default one) share its slot and its geometry.
std::vector<SkpMaterialInfo*> AssignSlots(FacePlanCache& plans, SkpMaterialTable& materials) {
    std::vector<SkpMaterialInfo*> records;
    std::unordered_map<SkpMaterialInfo*, uint32_t> slotOf;
    plans.ForEach([&](SkpFacePlan& plan) {
        for (SkpFacePlan::Run& run : plan.runs) {
            SkpMaterialInfo* record = materials.FindMaterial(SUMaterialRef{run.key});
            const auto [found, added] =
                slotOf.try_emplace(record, static_cast<uint32_t>(records.size()));
            if (added) records.push_back(record);
            run.slot = found->second;
        }
    });
    return records;
}

}  // namespace

// Every geometry is sized once to the exact totals of what is placed in it, then filled by
// pieces in parallel, each a contiguous range of one geometry at offsets counted beforehand. What
// lands where follows the visits' order, so the same model always gives the same geometries.
void SkpReader::MergeGeometries() {
    const std::vector<SkpMaterialInfo*> records = AssignSlots(facePlans, materials);
    const MergeLayout layout(visits, records.size());

    // One geometry holds at most 2^31 - 1 vertices and indices: its offsets are 32-bit.
    constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        if (layout.TotalVertices(slot) > kLimit || layout.TotalIndices(slot) > kLimit)
            throw std::bad_alloc();
    }
    // Sizing writes every new element once: the geometries are sized in parallel, so the fresh
    // memory is faulted in by every worker.
    tbb::parallel_for(std::size_t(0), records.size(), [&](std::size_t slot) {
        Geometry* geometry = records[slot]->geometry;
        if (geometry == nullptr || layout.TotalVertices(slot) == 0) return;
        geometry->vertices.resize(static_cast<std::size_t>(layout.TotalVertices(slot)));
        geometry->indices.resize(static_cast<std::size_t>(layout.TotalIndices(slot)));
    });

    const std::vector<MergePiece>& pieces = layout.Pieces();
    tbb::parallel_for(std::size_t(0), pieces.size(), [&](std::size_t p) {
        const MergePiece& piece = pieces[p];
        const SkpMaterialInfo& record = *records[piece.slot];
        if (record.geometry == nullptr) return;
        int vertexOffset = static_cast<int>(piece.vertexStart);
        int indexOffset = static_cast<int>(piece.indexStart);
        ForEachRunPart(visits, piece,
                       [&](const SkpVisit& visit, const SkpFacePlan::Run&, std::size_t begin,
                           std::size_t end) {
                           for (std::size_t s = begin; s != end; ++s) {
                               const SkpPlannedSide side = visit.plan->sides[s];
                               SkpLeafNode leaf(side.face(), &visit.placement, side.backSide());
                               AddFaceToGeometry(record.geometry, &leaf, vertexOffset, indexOffset,
                                                 record.sScale, record.tScale);
                               vertexOffset += side.face()->numVertices;
                               indexOffset += side.face()->numIndices;
                           }
                       });
    });
}

}  // namespace Importing
