#include "SkpFacePlan.h"

#include <unordered_map>

#include "SkpFaceInfo.h"

namespace Importing {

static_assert(alignof(SkpFaceInfo) >= 2, "the side needs the face record's lowest address bit");

namespace {

// The run of a key, made when the key first occurs. Neighbouring faces mostly share their key,
// so the last one found is tried first.
class RunFinder {
public:
    explicit RunFinder(std::vector<SkpFacePlan::Run>& runs) : runs_(runs) {}

    SkpFacePlan::Run& Of(void* key) {
        if (last_ < runs_.size() && runs_[last_].key == key) return runs_[last_];
        const auto [found, added] = index_.try_emplace(key, runs_.size());
        if (added) runs_.push_back(SkpFacePlan::Run{key, 0, 0, 0, 0});
        last_ = found->second;
        return runs_[last_];
    }

private:
    std::vector<SkpFacePlan::Run>& runs_;
    std::unordered_map<void*, std::size_t> index_;
    std::size_t last_ = 0;
};

}  // namespace

SkpFacePlan SkpFacePlan::FromDecisions(const std::vector<SkpFaceSides>& decisions) {
    SkpFacePlan plan;
    RunFinder runs(plan.runs);
    // First the size of every run, then the sides at their places.
    for (const SkpFaceSides& sides : decisions) {
        if (sides.face == nullptr) continue;
        const SkpFaceInfo& face = *sides.face;
        for (int side = 0; side < (sides.back ? 2 : 1); ++side) {
            Run& run = runs.Of(side == 0 ? sides.frontKey : sides.backKey);
            ++run.count;
            run.vertices += face.numVertices;
            run.indices += face.numIndices;
        }
    }
    uint32_t first = 0;
    for (Run& run : plan.runs) {
        run.first = first;
        first += run.count;
    }
    plan.sides.assign(first, SkpPlannedSide(nullptr, false));
    std::vector<uint32_t> filled(plan.runs.size(), 0);
    for (const SkpFaceSides& sides : decisions) {
        if (sides.face == nullptr) continue;
        for (int side = 0; side < (sides.back ? 2 : 1); ++side) {
            const Run& run = runs.Of(side == 0 ? sides.frontKey : sides.backKey);
            const std::size_t r = static_cast<std::size_t>(&run - plan.runs.data());
            plan.sides[run.first + filled[r]++] = SkpPlannedSide(sides.face, side == 1);
        }
    }
    return plan;
}

}  // namespace Importing
