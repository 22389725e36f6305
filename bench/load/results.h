// Every run of every measurement of one benchmark, and the summaries taken over runs.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace bench {

struct Stats {
    double min = 0, median = 0;
};

// Minimum and median (the lower middle value for an even count); throws std::invalid_argument
// for no values.
Stats Summarize(std::vector<double> values);

// `name` of every run. Throws std::runtime_error when a run lacks it.
std::vector<double> ValuesOf(const std::vector<Record>& runs, const std::string& name);
// The sum of `names` in every run.
std::vector<double> SumsOf(const std::vector<Record>& runs, const std::vector<std::string>& names);
// The largest "peak bytes" over the runs, in bytes.
double LargestPeak(const std::vector<Record>& runs);

// The runs made with one number of threads.
struct ThreadedRuns {
    int threads = 1;
    std::vector<Record> runs;
};

// "1 thread", "2 threads".
std::string ThreadsText(int threads);

struct Results {
    std::vector<ThreadedRuns> plugin;         // by increasing thread count
    std::vector<ThreadedRuns> pluginProcess;  // skpimport's whole process, the same counts
    std::vector<Record> model;                // the document opened with the SketchUp library
    std::vector<Record> assimpReadThenFlatten, assimpTogether;  // empty without Assimp
    std::vector<Record> assimpProcess;  // assimp_flatten's whole process; empty without Assimp
    std::vector<ThreadedRuns> floor;    // the same thread counts as the plug-in

    // The floor runs with `threads` threads; null when there are none.
    const ThreadedRuns* FloorWith(int threads) const;
};

}  // namespace bench
