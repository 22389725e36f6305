#pragma once

#include <oneapi/tbb/concurrent_vector.h>

#include "SkpFacePlan.h"
#include "SkpLeafNode.h"

namespace Importing {

// One visit of a collection that places faces: where it places them and what it places. The
// merge writes the plan's face sides with this placement.
struct SkpVisit {
    SkpPlacement placement;
    const SkpFacePlan* plan = nullptr;  // null: a visit that placed nothing
};

// The visits of a load in the walk's order: the prepared walk gives every visit its slot before
// it starts (a visit's slot follows its parent's and those of its earlier siblings' subtrees), so
// the order is the model's, whichever worker makes the visit. Visits made outside a prepared walk
// are appended behind. A concurrent vector: slots are written, and visits appended, from any
// worker without moving what it holds.
using VisitList = tbb::concurrent_vector<SkpVisit>;

}  // namespace Importing
