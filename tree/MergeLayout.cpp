#include "MergeLayout.h"

#include <oneapi/tbb/parallel_for.h>

#include "SkpFaceInfo.h"

namespace Importing {

namespace {

// Pieces of fewer sides are not worth a task; this many pieces keep the workers evenly busy.
constexpr std::size_t kMinSidesPerPiece = 4096;
constexpr std::size_t kPiecesWanted = 1024;
// The per-piece tables hold pieces times slots entries; with very many materials pieces grow.
constexpr std::size_t kMaxTableEntries = std::size_t(1) << 22;

std::size_t SidesOf(const SkpVisit& visit) {
    return visit.plan != nullptr ? visit.plan->sides.size() : 0;
}

}  // namespace

MergeLayout::MergeLayout(const VisitList& visits, std::size_t slotCount)
    : slots(slotCount), totalVertices(slotCount, 0), totalIndices(slotCount, 0) {
    Cut(visits);
    Count(visits);
    Accumulate();
}

void MergeLayout::Cut(const VisitList& visits) {
    std::size_t total = 0;
    for (const SkpVisit& visit : visits) total += SidesOf(visit);
    const std::size_t maxPieces =
        std::max<std::size_t>(1, kMaxTableEntries / std::max<std::size_t>(1, slots));
    const std::size_t perPiece =
        std::max({kMinSidesPerPiece, total / kPiecesWanted + 1, total / maxPieces + 1});

    MergePiece piece;
    std::size_t taken = 0;  // sides in the piece so far
    for (std::size_t v = 0; v < visits.size(); ++v) {
        const std::size_t sides = SidesOf(visits[v]);
        std::size_t side = 0;
        while (sides - side >= perPiece - taken) {
            side += perPiece - taken;
            piece.endVisit = v;
            piece.endSide = side;
            pieces.push_back(piece);
            piece = MergePiece{v, side, v, side};
            taken = 0;
        }
        taken += sides - side;
    }
    if (taken != 0) {
        piece.endVisit = visits.size();
        piece.endSide = 0;
        pieces.push_back(piece);
    }
}

// What each piece writes into each slot. Whole runs come counted with their plan; only the runs
// that a cut splits are counted side by side.
void MergeLayout::Count(const VisitList& visits) {
    vertexStarts.assign(pieces.size() * slots, 0);
    indexStarts.assign(pieces.size() * slots, 0);
    tbb::parallel_for(std::size_t(0), pieces.size(), [&](std::size_t p) {
        int64_t* vertices = &vertexStarts[p * slots];
        int64_t* indices = &indexStarts[p * slots];
        ForEachRunPart(visits, pieces[p],
                       [&](const SkpVisit& visit, const SkpFacePlan::Run& run, std::size_t begin,
                           std::size_t end) {
                           if (end - begin == run.count) {
                               vertices[run.slot] += run.vertices;
                               indices[run.slot] += run.indices;
                               return;
                           }
                           for (std::size_t s = begin; s != end; ++s) {
                               const SkpFaceInfo& face = *visit.plan->sides[s].face();
                               vertices[run.slot] += face.numVertices;
                               indices[run.slot] += face.numIndices;
                           }
                       });
    });
}

// Turns each piece's counts into its starts: the pieces of one slot's geometry lie one after
// another in the pieces' order.
void MergeLayout::Accumulate() {
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        for (std::size_t slot = 0; slot < slots; ++slot) {
            const int64_t vertices = vertexStarts[p * slots + slot];
            const int64_t indices = indexStarts[p * slots + slot];
            vertexStarts[p * slots + slot] = totalVertices[slot];
            indexStarts[p * slots + slot] = totalIndices[slot];
            totalVertices[slot] += vertices;
            totalIndices[slot] += indices;
        }
    }
}

}  // namespace Importing
