#include "triangle_check.h"

namespace bench {
namespace {

uint64_t CountOf(const TriangleCounts& counts, const std::string& material) {
    const auto found = counts.find(material);
    return found != counts.end() ? found->second : 0;
}

}  // namespace

std::vector<std::string> CompareTriangles(const TriangleCounts& ours, const TriangleCounts& theirs,
                                          const std::string& theirName) {
    TriangleCounts all = ours;
    all.insert(theirs.begin(), theirs.end());
    std::vector<std::string> mismatches;
    for (const auto& entry : all) {
        const uint64_t mine = CountOf(ours, entry.first), other = CountOf(theirs, entry.first);
        if (mine != other)
            mismatches.push_back("material '" + entry.first + "': plug-in " + std::to_string(mine) +
                                 " triangles, " + theirName + " " + std::to_string(other));
    }
    return mismatches;
}

}  // namespace bench
