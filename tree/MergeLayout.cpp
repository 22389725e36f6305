#include "MergeLayout.h"

#include <oneapi/tbb/parallel_for.h>

#include "SkpFaceInfo.h"

namespace Importing {

namespace {

// Pieces of fewer sides are not worth a task; this many keep the workers evenly busy.
constexpr std::size_t kMinSidesPerPiece = 4096;
constexpr std::size_t kPiecesWanted = 1024;

// The piece being gathered for one slot.
struct OpenPiece {
    bool open = false;
    std::size_t taken = 0;  // sides in it so far
    MergePiece piece;
};

}  // namespace

MergeLayout::MergeLayout(const VisitList& visits, std::size_t slotCount)
    : totalVertices_(slotCount, 0), totalIndices_(slotCount, 0) {
    Cut(visits, slotCount);
    Count(visits);
    Accumulate();
}

// One pass over the visits, each slot gathering its own piece; a piece is closed when it holds
// its share of sides, also in the middle of a run.
void MergeLayout::Cut(const VisitList& visits, std::size_t slotCount) {
    std::size_t total = 0;
    for (const SkpVisit& visit : visits)
        total += visit.plan != nullptr ? visit.plan->sides.size() : 0;
    const std::size_t perPiece = std::max(kMinSidesPerPiece, total / kPiecesWanted + 1);

    std::vector<OpenPiece> open(slotCount);
    std::vector<std::size_t> seen(slotCount, 0);  // per slot, its sides of the visit so far
    for (std::size_t v = 0; v < visits.size(); ++v) {
        const SkpFacePlan* plan = visits[v].plan;
        if (plan == nullptr) continue;
        for (const SkpFacePlan::Run& run : plan->runs) {
            OpenPiece& gathering = open[run.slot];
            std::size_t& side = seen[run.slot];
            if (!gathering.open) {
                gathering = OpenPiece{true, 0, MergePiece{run.slot, v, side, v, side}};
            }
            std::size_t left = run.count;
            while (left >= perPiece - gathering.taken) {
                const std::size_t take = perPiece - gathering.taken;
                side += take;
                left -= take;
                gathering.piece.endVisit = v;
                gathering.piece.endSide = side;
                pieces_.push_back(gathering.piece);
                gathering = OpenPiece{true, 0, MergePiece{run.slot, v, side, v, side}};
            }
            gathering.taken += left;
            side += left;
        }
        for (const SkpFacePlan::Run& run : plan->runs) seen[run.slot] = 0;
    }
    for (OpenPiece& gathering : open) {
        if (!gathering.open || gathering.taken == 0) continue;
        gathering.piece.endVisit = visits.size();
        gathering.piece.endSide = 0;
        pieces_.push_back(gathering.piece);
    }
}

// What each piece writes. Whole runs come counted with their plan; only the runs that a cut
// splits are counted side by side.
void MergeLayout::Count(const VisitList& visits) {
    tbb::parallel_for(std::size_t(0), pieces_.size(), [&](std::size_t p) {
        MergePiece& piece = pieces_[p];
        ForEachRunPart(visits, piece,
                       [&](const SkpVisit& visit, const SkpFacePlan::Run& run, std::size_t begin,
                           std::size_t end) {
                           if (end - begin == run.count) {
                               piece.vertices += run.vertices;
                               piece.indices += run.indices;
                               return;
                           }
                           for (std::size_t s = begin; s != end; ++s) {
                               const SkpFaceInfo& face = *visit.plan->sides[s].face();
                               piece.vertices += face.numVertices;
                               piece.indices += face.numIndices;
                           }
                       });
    });
}

// A slot's pieces were cut in the visits' order: each starts where the previous one ended.
void MergeLayout::Accumulate() {
    for (MergePiece& piece : pieces_) {
        piece.vertexStart = totalVertices_[piece.slot];
        piece.indexStart = totalIndices_[piece.slot];
        totalVertices_[piece.slot] += piece.vertices;
        totalIndices_[piece.slot] += piece.indices;
    }
}

}  // namespace Importing
