#pragma once

#include <cstdint>
#include <vector>

namespace Importing {

struct SkpFaceInfo;

// How one face of a collection is shown: which sides are placed and under which material keys.
// It depends on the face, the inherited material, the top-level flag and the load's settings,
// never on where the collection is placed.
struct SkpFaceSides {
    SkpFaceInfo* face = nullptr;  // null: the face is not placed
    void* frontKey = nullptr;     // material keys: the pointer value of the material handle
    void* backKey = nullptr;
    bool back = false;  // the back side is placed too
};

// One face side as a plan holds it: the face record, the side riding in the lowest address bit
// that the record's alignment leaves free.
class SkpPlannedSide {
public:
    SkpPlannedSide(SkpFaceInfo* face, bool backSide)
        : bits_(reinterpret_cast<std::uintptr_t>(face) | (backSide ? 1u : 0u)) {}
    SkpFaceInfo* face() const { return reinterpret_cast<SkpFaceInfo*>(bits_ & ~std::uintptr_t(1)); }
    bool backSide() const { return (bits_ & 1u) != 0; }

private:
    std::uintptr_t bits_;
};

// What every visit of one collection places, for one inherited material and top-level flag: the
// placed face sides grouped by material key, in the collection's face order within each key (the
// front side of a face before its back). Made once, then shared by every visit that matches, so
// a placement costs one record however many faces it places.
struct SkpFacePlan {
    struct Run {
        void* key;         // the material key of these sides
        uint32_t first;    // into `sides`
        uint32_t count;    //
        int64_t vertices;  // totals of the run's face records
        int64_t indices;
        uint32_t slot = 0;  // the merge's number for the key, one per geometry
    };

    // Groups the decisions, given in face order; runs come in the order their keys first occur.
    static SkpFacePlan FromDecisions(const std::vector<SkpFaceSides>& decisions);

    std::vector<Run> runs;
    std::vector<SkpPlannedSide> sides;
};

}  // namespace Importing
