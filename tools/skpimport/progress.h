// Progress of the tool's own stages on standard error, one line per finished stage with the time
// since the tool started: "skpimport: [1.234 s] <stage>". The plug-in's phases are known only
// once LoadFromFile returns, so they come with the stage of the load. Lines never end in "ms",
// so that they cannot be taken for --timings lines.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "load_phases.h"

namespace skpimport {

class Progress {
public:
    // Prints nothing when `enabled` is false.
    Progress(std::ostream& out, bool enabled);

    void Finished(const std::string& stage);

private:
    std::ostream& out_;
    bool enabled_;
    std::chrono::steady_clock::time_point start_;
};

// The load stage with the plug-in's phases: "loaded the model (read document 1.2, scan 0.4, ...
// in milliseconds)"; just "loaded the model" when the plug-in gave none.
std::string LoadStageText(const std::vector<PhaseTiming>& phases);

}  // namespace skpimport
