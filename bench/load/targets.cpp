#include "targets.h"

#include <algorithm>
#include <cstdio>

namespace bench {
namespace {

double MinOf(const std::vector<double>& values) {
    return Summarize(values).min;
}

}  // namespace

const std::vector<std::string>& OwnPhases() {
    static const std::vector<std::string> phases{"scan s", "walk s", "surfaces s", "merge s"};
    return phases;
}

std::vector<Target> EvaluateTargets(const Results& results) {
    std::vector<Target> targets;
    if (results.plugin.empty()) return targets;
    const ThreadedRuns& fewest = results.plugin.front();
    const ThreadedRuns& most = results.plugin.back();
    const std::string mostThreads = ThreadsText(most.threads);
    const ThreadedRuns* ourProcess = nullptr;
    for (const ThreadedRuns& process : results.pluginProcess)
        if (process.threads == most.threads && !process.runs.empty()) ourProcess = &process;
    if (!results.assimpProcess.empty() && ourProcess != nullptr) {
        const double assimp = MinOf(ValuesOf(results.assimpProcess, "process s"));
        const double ours = MinOf(ValuesOf(ourProcess->runs, "process s"));
        targets.push_back(
            {"(a) whole process: Assimp's / skpimport's, " + mostThreads, assimp / ours, 3, true});
    }
    if (!results.assimpTogether.empty()) {
        const double assimp = MinOf(ValuesOf(results.assimpTogether, "together s"));
        const double ours = MinOf(ValuesOf(most.runs, "total s"));
        targets.push_back({"(a) load alone: Assimp read+flatten / plug-in total, " + mostThreads,
                           assimp / ours, 3, true});
    }
    for (const ThreadedRuns& plugin : results.plugin) {
        const ThreadedRuns* floor = results.FloorWith(plugin.threads);
        if (floor == nullptr) continue;
        const double own = MinOf(SumsOf(plugin.runs, OwnPhases()));
        targets.push_back({"(b) plug-in scan..merge / write floor, " + ThreadsText(plugin.threads),
                           own / MinOf(ValuesOf(floor->runs, "floor s")), 1.6, false});
    }
    if (most.threads > fewest.threads) {
        const std::vector<std::string> walkMerge{"walk s", "merge s"};
        targets.push_back(
            {"(c) walk+merge, " + ThreadsText(fewest.threads) + " / " + mostThreads,
             MinOf(SumsOf(fewest.runs, walkMerge)) / MinOf(SumsOf(most.runs, walkMerge)), 1.8,
             true});
    }
    if (!results.model.empty()) {
        double peak = 0;
        for (const ThreadedRuns& plugin : results.plugin)
            peak = std::max(peak, LargestPeak(plugin.runs));
        const double output = fewest.runs.front().Require("output bytes");
        const double model = MinOf(ValuesOf(results.model, "rss growth bytes"));
        targets.push_back({"(d) plug-in peak / (output + model in memory)", peak / (output + model),
                           1.15, false});
    }
    return targets;
}

std::string TargetsText(const std::vector<Target>& targets) {
    std::string text;
    char line[256];
    for (const Target& target : targets) {
        std::snprintf(line, sizeof line, "%-62s %7.2f  (target %s %.2f)  %s\n", target.name.c_str(),
                      target.ratio, target.atLeast ? ">=" : "<=", target.limit,
                      target.Met() ? "met" : "MISSED");
        text += line;
    }
    return text;
}

}  // namespace bench
