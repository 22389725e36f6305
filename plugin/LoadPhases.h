#pragma once

#include <chrono>
#include <cstddef>

namespace Importing {

// How long each step of the last load took, for hosts and tools that show progress.
struct LoadPhase {
    const char* name;  // static text: "read document", "scan", "walk", ...
    double milliseconds;
};

class LoadPhaseClock {
public:
    static constexpr std::size_t kMaxPhases = 12;

    void Start() {
        count_ = 0;
        start_ = last_ = std::chrono::steady_clock::now();
    }
    // Closes the phase that ran since the previous mark.
    void Mark(const char* name) {
        const auto now = std::chrono::steady_clock::now();
        if (count_ < kMaxPhases) {
            phases_[count_++] = {name, Milliseconds(now - last_)};
        }
        last_ = now;
    }
    void Finish() {
        const auto now = std::chrono::steady_clock::now();
        if (count_ < kMaxPhases) phases_[count_++] = {"total", Milliseconds(now - start_)};
    }

    std::size_t Count() const { return count_; }
    const LoadPhase* Phases() const { return phases_; }

private:
    static double Milliseconds(std::chrono::steady_clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    }

    std::chrono::steady_clock::time_point start_, last_;
    LoadPhase phases_[kMaxPhases] = {};
    std::size_t count_ = 0;
};

}  // namespace Importing
