#include "progress.h"

#include <cstdio>

namespace skpimport {

Progress::Progress(std::ostream& out, bool enabled)
    : out_(out), enabled_(enabled), start_(std::chrono::steady_clock::now()) {}

void Progress::Finished(const std::string& stage) {
    if (!enabled_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "[%.3f s] ", seconds);
    out_ << "skpimport: " << elapsed << stage << '\n' << std::flush;
}

std::string LoadStageText(const std::vector<PhaseTiming>& phases) {
    std::string text = "loaded the model";
    if (phases.empty()) return text;
    char value[32];
    for (size_t i = 0; i < phases.size(); ++i) {
        std::snprintf(value, sizeof value, " %.1f", phases[i].milliseconds);
        text += (i == 0 ? " (" : ", ") +
                std::string(phases[i].name ? phases[i].name : "(unnamed)") + value;
    }
    return text + " in milliseconds)";
}

}  // namespace skpimport
