// The peer must have loaded the same triangles: per material, its count must equal ours.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bench {

using TriangleCounts = std::map<std::string, uint64_t>;

// One line per material whose counts differ (a material missing on one side counts as 0 there);
// empty when they agree.
std::vector<std::string> CompareTriangles(const TriangleCounts& ours, const TriangleCounts& theirs,
                                          const std::string& theirName);

}  // namespace bench
