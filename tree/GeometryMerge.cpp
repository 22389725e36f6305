#include <Importing/Geometry.h>
#include <oneapi/tbb/parallel_for.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "LoadFailure.h"
#include "MergeLayout.h"
#include "SkpReader.h"

namespace Importing {

namespace {

// Gives every material key that the plans fill a merge slot, and writes it into their runs.
// Every key has a record and a geometry of its own (the null key the default record's), made when
// the scene's materials were created, so a slot is one geometry.
std::vector<SkpMaterialInfo*> AssignSlots(FacePlanCache& plans, SkpMaterialTable& materials) {
    std::vector<SkpMaterialInfo*> records;
    std::unordered_map<void*, uint32_t> slotOf;
    plans.ForEach([&](SkpFacePlan& plan) {
        for (SkpFacePlan::Run& run : plan.runs) {
            const auto [found, added] =
                slotOf.try_emplace(run.key, static_cast<uint32_t>(records.size()));
            if (added) records.push_back(materials.FindMaterial(SUMaterialRef{run.key}));
            run.slot = found->second;
        }
    });
    return records;
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string TooLargeLine(const SkpMaterialInfo& record, int64_t vertices, int64_t indices,
                            int64_t limit) {
    return u"Error: Material \"" + record.name + u"\" needs " + Ascii(std::to_string(vertices)) +
           u" vertices and " + Ascii(std::to_string(indices)) +
           u" indices; one geometry holds at most " + Ascii(std::to_string(limit)) + u" of each.";
}

}  // namespace

// Every geometry is sized once to the exact totals of what is placed in it, then filled by
// pieces in parallel, each a contiguous range of one geometry at offsets counted beforehand. What
// lands where follows the visits' order, so the same model always gives the same geometries.
void SkpReader::MergeGeometries() {
    const std::vector<SkpMaterialInfo*> records = AssignSlots(facePlans, materials);
    const MergeLayout layout(visits, records.size());

    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        const int64_t vertices = layout.TotalVertices(slot), indices = layout.TotalIndices(slot);
        if (vertices > geometryLimit || indices > geometryLimit) {
            throw LoadFailure(TooLargeLine(*records[slot], vertices, indices, geometryLimit));
        }
    }
    // Sizing writes every new element once: the geometries are sized in parallel, so the fresh
    // memory is faulted in by every worker.
    tbb::parallel_for(std::size_t(0), records.size(), [&](std::size_t slot) {
        Geometry* geometry = records[slot]->geometry;
        if (geometry == nullptr || layout.TotalVertices(slot) == 0) return;
        geometry->vertices.resize(static_cast<std::size_t>(layout.TotalVertices(slot)));
        geometry->indices.resize(static_cast<std::size_t>(layout.TotalIndices(slot)));
    });

    // Each piece must end where the count said it would: a piece that wrote less leaves
    // zeroed triangles in the scene, one that wrote more has overwritten its neighbour's.
    std::atomic<bool> filledAsCounted = true;
    const std::vector<MergePiece>& pieces = layout.Pieces();
    tbb::parallel_for(std::size_t(0), pieces.size(), [&](std::size_t p) {
        const MergePiece& piece = pieces[p];
        const SkpMaterialInfo& record = *records[piece.slot];
        if (record.geometry == nullptr) return;
        int64_t vertexOffset = piece.vertexStart;
        int64_t indexOffset = piece.indexStart;
        ForEachRunPart(visits, piece,
                       [&](const SkpVisit& visit, const SkpFacePlan::Run&, std::size_t begin,
                           std::size_t end) {
                           for (std::size_t s = begin; s != end; ++s) {
                               const SkpPlannedSide side = visit.plan->sides[s];
                               SkpLeafNode leaf(side.face(), &visit.placement, side.backSide());
                               AddFaceToGeometry(
                                   record.geometry, &leaf, static_cast<int>(vertexOffset),
                                   static_cast<int>(indexOffset), record.sScale, record.tScale);
                               vertexOffset += side.face()->numVertices;
                               indexOffset += side.face()->numIndices;
                           }
                       });
        if (vertexOffset != piece.vertexStart + piece.vertices ||
            indexOffset != piece.indexStart + piece.indices) {
            filledAsCounted = false;
        }
    });
    if (!filledAsCounted) {
        throw LoadFailure(u"Error: A geometry was not filled to the size counted for it.");
    }
}

}  // namespace Importing
