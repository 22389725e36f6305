#include "load_phases.h"

#include <cstdio>
#include <cstring>

namespace skpimport {

std::vector<PhaseTiming> ReadLoadPhases(GetLoadPhasesFunction getPhases, const void* reader) {
    if (getPhases == nullptr || reader == nullptr) return {};
    std::vector<PhaseTiming> phases(16);
    const size_t count = getPhases(reader, phases.data(), phases.size());
    if (count > phases.size()) {  // more than guessed: ask again with room for all
        phases.resize(count);
        getPhases(reader, phases.data(), phases.size());
    }
    phases.resize(count);
    return phases;
}

std::string TimingsText(const std::vector<PhaseTiming>& phases, double hostTotalMilliseconds) {
    std::string text;
    bool hasTotal = false;
    char line[160];
    for (const PhaseTiming& phase : phases) {
        const char* name = phase.name != nullptr ? phase.name : "(unnamed)";
        hasTotal = hasTotal || std::strcmp(name, "total") == 0;
        std::snprintf(line, sizeof line, "%.120s %.3f ms\n", name, phase.milliseconds);
        text += line;
    }
    if (!hasTotal) {
        std::snprintf(line, sizeof line, "total %.3f ms\n", hostTotalMilliseconds);
        text += line;
    }
    return text;
}

}  // namespace skpimport
