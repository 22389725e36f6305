#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SkpVisit.h"

namespace Importing {

// A stretch of the face sides that the visits place in one merge slot (one material record's
// geometry), taken in the visits' order and within a visit in its plan's order: from the slot's
// side `beginSide` of visit `beginVisit` up to, not including, its side `endSide` of visit
// `endVisit`. The unit of parallel work while merging: it writes one contiguous range of one
// geometry. One big visit is cut into several pieces, many small ones make one.
struct MergePiece {
    uint32_t slot = 0;
    std::size_t beginVisit = 0;
    std::size_t beginSide = 0;
    std::size_t endVisit = 0;
    std::size_t endSide = 0;
    int64_t vertexStart = 0;  // where the piece writes in its slot's geometry
    int64_t indexStart = 0;
    int64_t vertices = 0;  // how much it writes
    int64_t indices = 0;
};

// Calls `part(visit, run, begin, end)` for every run of the piece's slot in every visit that the
// piece covers, with the plan's sides [begin, end) of that run that lie in the piece.
template <typename Part>
void ForEachRunPart(const VisitList& visits, const MergePiece& piece, const Part& part) {
    for (std::size_t v = piece.beginVisit; v <= piece.endVisit && v < visits.size(); ++v) {
        const SkpVisit& visit = visits[v];
        if (visit.plan == nullptr) continue;
        const std::size_t low = v == piece.beginVisit ? piece.beginSide : 0;
        const std::size_t high = v == piece.endVisit ? piece.endSide : SIZE_MAX;
        std::size_t seen = 0;  // the visit's sides in this slot before `run`
        for (const SkpFacePlan::Run& run : visit.plan->runs) {
            if (run.slot != piece.slot) continue;
            const std::size_t begin = std::max(low, seen);
            const std::size_t end = std::min(high, seen + run.count);
            if (begin < end) part(visit, run, run.first + (begin - seen), run.first + (end - seen));
            seen += run.count;
        }
    }
}

// The visits' face sides cut into pieces of about equal numbers, each within one slot, with
// where each piece writes: a slot's pieces lie one after another in the visits' order, so the
// layout depends on the model alone. The pieces are counted in parallel.
class MergeLayout {
public:
    MergeLayout(const VisitList& visits, std::size_t slotCount);

    const std::vector<MergePiece>& Pieces() const { return pieces_; }
    int64_t TotalVertices(std::size_t slot) const { return totalVertices_[slot]; }
    int64_t TotalIndices(std::size_t slot) const { return totalIndices_[slot]; }

private:
    void Cut(const VisitList& visits, std::size_t slotCount);
    void Count(const VisitList& visits);
    void Accumulate();

    std::vector<MergePiece> pieces_;
    std::vector<int64_t> totalVertices_, totalIndices_;  // per slot
};

}  // namespace Importing
