// The plug-in's phase timings of its last load, read through the optional export
// SkpReaderGetLoadPhases (not part of the host interface: a plug-in without it still loads).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace skpimport {

// The plug-in's record of one phase; the layout is that of the export's records.
struct PhaseTiming {
    const char* name;  // static text of the plug-in, valid while it is loaded
    double milliseconds;
};

// size_t SkpReaderGetLoadPhases(const reader*, PhaseTiming* phases, size_t capacity): copies up
// to `capacity` phases and returns how many there are.
using GetLoadPhasesFunction = size_t (*)(const void* reader, PhaseTiming* phases, size_t capacity);

std::vector<PhaseTiming> ReadLoadPhases(GetLoadPhasesFunction getPhases, const void* reader);

// One "<phase> <milliseconds> ms" line per phase; the host's own measure of the whole load is
// added as "total" when the plug-in gave none.
std::string TimingsText(const std::vector<PhaseTiming>& phases, double hostTotalMilliseconds);

}  // namespace skpimport
