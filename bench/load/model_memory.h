// The model document alone: what opening it with the SketchUp library costs in time and memory,
// and how many faces its visible placements hold.
#pragma once

#include <SketchUpAPI/model/entities.h>

#include <cstdint>
#include <string>

#include "record.h"

namespace bench {

// Faces placed by the visible entities under `entities`: each face counts once per visible
// placement of the definitions holding it (hidden faces, instances and groups are skipped).
// This is the number of face sides a single-sided load places.
uint64_t CountPlacedFaces(SUEntitiesRef entities);

// Values: "open s", "rss before bytes", "rss growth bytes" (resident after the open less
// before), "peak bytes", "placed faces". Throws std::runtime_error when the model cannot be opened.
Record MeasureModelInMemory(const std::string& modelPath);

}  // namespace bench
