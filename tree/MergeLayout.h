#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SkpVisit.h"

namespace Importing {

// A stretch of the visits' face sides, taken in the visits' order and within a visit in its
// plan's order: from side `beginSide` of visit `beginVisit` up to, not including, side `endSide`
// of visit `endVisit`. The unit of parallel work while merging: one big visit is cut into several
// pieces, many small ones make one.
struct MergePiece {
    std::size_t beginVisit = 0;
    std::size_t beginSide = 0;
    std::size_t endVisit = 0;
    std::size_t endSide = 0;
};

// Calls `part(visit, run, begin, end)` for every run of every visit that the piece covers, with
// the plan's sides [begin, end) of that run that lie in the piece.
template <typename Part>
void ForEachRunPart(const VisitList& visits, const MergePiece& piece, const Part& part) {
    for (std::size_t v = piece.beginVisit; v <= piece.endVisit && v < visits.size(); ++v) {
        const SkpVisit& visit = visits[v];
        if (visit.plan == nullptr) continue;
        const std::size_t low = v == piece.beginVisit ? piece.beginSide : 0;
        const std::size_t high = v == piece.endVisit ? piece.endSide : visit.plan->sides.size();
        for (const SkpFacePlan::Run& run : visit.plan->runs) {
            const std::size_t begin = std::max<std::size_t>(low, run.first);
            const std::size_t end = std::min<std::size_t>(high, run.first + run.count);
            if (begin < end) part(visit, run, begin, end);
        }
    }
}

// Where each piece writes: the visits cut into pieces of about equal numbers of face sides, and
// per piece and merge slot (one slot per material record, numbered in the plans' runs) the first
// vertex and index of what the piece writes into that slot's geometry. The geometries' order is
// the visits' order, so the layout depends on the model alone. Pieces are counted in parallel.
class MergeLayout {
public:
    MergeLayout(const VisitList& visits, std::size_t slotCount);

    std::size_t PieceCount() const { return pieces.size(); }
    const MergePiece& Piece(std::size_t p) const { return pieces[p]; }
    // `slotCount` entries each.
    const int64_t* VertexStarts(std::size_t p) const { return &vertexStarts[p * slots]; }
    const int64_t* IndexStarts(std::size_t p) const { return &indexStarts[p * slots]; }
    int64_t TotalVertices(std::size_t slot) const { return totalVertices[slot]; }
    int64_t TotalIndices(std::size_t slot) const { return totalIndices[slot]; }

private:
    void Cut(const VisitList& visits);
    void Count(const VisitList& visits);
    void Accumulate();

    std::size_t slots;
    std::vector<MergePiece> pieces;
    std::vector<int64_t> vertexStarts, indexStarts;  // piece by slot: counts, then starts
    std::vector<int64_t> totalVertices, totalIndices;
};

}  // namespace Importing
