// The benchmark's results as a Markdown table (seconds min and median, peak MiB) and the
// throughput lines under it.
#pragma once

#include <string>

#include "results.h"

namespace bench {

std::string MarkdownTable(const Results& results);

// Triangles by material name: the plug-in's (first load) beside Assimp's (first flattening),
// when Assimp was measured.
std::string MaterialTable(const Results& results);

// Counts, bytes and rates of the plug-in's output: triangles, vertices, output bytes, placed
// faces (from the model) and, per thread count, placed faces and output bytes per second of the
// whole load (its minimum time).
std::string ThroughputText(const Results& results);

}  // namespace bench
