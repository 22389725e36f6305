#include "table.h"

#include <cstdio>

namespace bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

std::string Row(const std::string& label, const Stats& seconds, double peakBytes) {
    char line[256];
    if (peakBytes > 0)
        std::snprintf(line, sizeof line, "| %s | %.3f | %.3f | %.1f |\n", label.c_str(),
                      seconds.min, seconds.median, peakBytes / kMiB);
    else
        std::snprintf(line, sizeof line, "| %s | %.3f | %.3f | |\n", label.c_str(), seconds.min,
                      seconds.median);
    return line;
}

// One row per phase in the plug-in's order; the peak goes on the total's row.
std::string PluginRows(const ThreadedRuns& plugin) {
    std::string rows;
    const std::string prefix = "plug-in, " + ThreadsText(plugin.threads) + ": ";
    for (const auto& [name, value] : plugin.runs.front().Values()) {
        if (name.size() < 2 || name.compare(name.size() - 2, 2, " s") != 0) continue;
        const std::string phase = name.substr(0, name.size() - 2);
        const bool total = phase == "total";
        rows += Row(prefix + (phase == "host" ? "host clock around the load" : phase),
                    Summarize(ValuesOf(plugin.runs, name)), total ? LargestPeak(plugin.runs) : 0);
    }
    return rows;
}

}  // namespace

std::string MarkdownTable(const Results& results) {
    std::string table = "| measurement | min s | median s | peak MiB |\n|---|---:|---:|---:|\n";
    for (const ThreadedRuns& plugin : results.plugin) table += PluginRows(plugin);
    for (const ThreadedRuns& process : results.pluginProcess) {
        if (process.runs.empty()) continue;
        table += Row("skpimport's whole process, " + ThreadsText(process.threads) +
                         " (start, load, free, exit; nothing written)",
                     Summarize(ValuesOf(process.runs, "process s")), LargestPeak(process.runs));
    }
    if (!results.model.empty())
        table += Row("model in memory: open with the SketchUp library",
                     Summarize(ValuesOf(results.model, "open s")), LargestPeak(results.model));
    if (!results.assimpReadThenFlatten.empty()) {
        const auto& runs = results.assimpReadThenFlatten;
        table += Row("Assimp read (no post-processing)", Summarize(ValuesOf(runs, "read s")), 0);
        table += Row("Assimp flatten (PreTransformVertices after the read)",
                     Summarize(ValuesOf(runs, "flatten s")), LargestPeak(runs));
    }
    if (!results.assimpTogether.empty())
        table += Row("Assimp read and flatten together",
                     Summarize(ValuesOf(results.assimpTogether, "together s")),
                     LargestPeak(results.assimpTogether));
    if (!results.assimpProcess.empty())
        table += Row("assimp_flatten's whole process (start, read and flatten, free, exit)",
                     Summarize(ValuesOf(results.assimpProcess, "process s")),
                     LargestPeak(results.assimpProcess));
    for (const ThreadedRuns& floor : results.floor)
        table += Row("floor: malloc + write the output bytes, " + ThreadsText(floor.threads),
                     Summarize(ValuesOf(floor.runs, "floor s")), LargestPeak(floor.runs));
    return table;
}

std::string MaterialTable(const Results& results) {
    if (results.plugin.empty()) return {};
    const auto& ours = results.plugin.front().runs.front().trianglesByMaterial;
    const bool withAssimp = !results.assimpTogether.empty();
    std::string table =
        withAssimp ? "| material | plug-in triangles | Assimp triangles |\n|---|---:|---:|\n"
                   : "| material | plug-in triangles |\n|---|---:|\n";
    for (const auto& [name, count] : ours) {
        table += "| " + name + " | " + std::to_string(count);
        if (withAssimp) {
            const auto& theirs = results.assimpTogether.front().trianglesByMaterial;
            const auto found = theirs.find(name);
            table += " | " + (found != theirs.end() ? std::to_string(found->second) : "none");
        }
        table += " |\n";
    }
    return table;
}

std::string ThroughputText(const Results& results) {
    if (results.plugin.empty()) return {};
    const Record& first = results.plugin.front().runs.front();
    const double output = first.Require("output bytes");
    char line[256];
    std::snprintf(line, sizeof line,
                  "triangles %.0f, vertices %.0f, output %.1f MiB (32 B a vertex, 4 an index)\n",
                  first.Require("triangles"), first.Require("vertices"), output / kMiB);
    std::string text = line;
    double placed = 0;
    if (!results.model.empty()) {
        placed = results.model.front().Require("placed faces");
        std::snprintf(line, sizeof line,
                      "placed face sides %.0f; model in memory %.1f MiB (resident growth of the "
                      "open)\n",
                      placed, Summarize(ValuesOf(results.model, "rss growth bytes")).min / kMiB);
        text += line;
    }
    for (const ThreadedRuns& plugin : results.plugin) {
        const double seconds = Summarize(ValuesOf(plugin.runs, "total s")).min;
        std::snprintf(line, sizeof line,
                      "plug-in, %s: %.2f M placed face sides/s, %.0f MiB/s of output; resident "
                      "before the load %.1f MiB\n",
                      ThreadsText(plugin.threads).c_str(), placed / seconds / 1e6,
                      output / seconds / kMiB,
                      Summarize(ValuesOf(plugin.runs, "rss before bytes")).min / kMiB);
        text += line;
    }
    return text;
}

}  // namespace bench
