// The goals the plug-in's load is measured against, each a ratio of measured figures. Times are
// the minimum over runs: on a shared machine the least disturbed run is the most telling.
#pragma once

#include <string>
#include <vector>

#include "results.h"

namespace bench {

struct Target {
    std::string name;     // what is compared, for a person
    double ratio = 0;     // the measured ratio
    double limit = 0;     // what it must reach
    bool atLeast = true;  // true: ratio >= limit; false: ratio <= limit
    bool Met() const { return atLeast ? ratio >= limit : ratio <= limit; }
};

// The plug-in's own phases from the scan through the merge (the document already read).
const std::vector<std::string>& OwnPhases();

// (a) Assimp's whole process over skpimport's with the most threads measured (at least 3), and
//     Assimp's read-and-flatten over the plug-in's whole load with as many (at least 3);
// (b) per thread count, the own phases over the write floor with as many threads (at most 1.6);
// (c) walk plus merge with the fewest threads over the most (at least 1.8);
// (d) the plug-in's peak over the output bytes plus the model in memory (at most 1.15).
// A target whose figures were not measured (no Assimp, a single thread count) is left out.
std::vector<Target> EvaluateTargets(const Results& results);

// One line per target: name, ratio, limit, met or missed.
std::string TargetsText(const std::vector<Target>& targets);

}  // namespace bench
