// bench_load MODEL_defaultsingle.skpm MODEL.glb [--threads 1,2] [--runs N] [--plugin PATH]
// [--skpimport PATH]: loads a model through the plug-in library and, for comparison, the same model
// as glTF through Assimp, the model alone through the SketchUp library and the bare writes of the
// plug-in's output; every measurement in a child process of its own. Also times the whole
// processes a user waits for: skpimport (beside this program unless named) importing the model
// with the same plug-in and writing nothing, and assimp_flatten (beside this program) reading and
// flattening the glTF file. Prints a Markdown table, the throughput and the ratios of the load's
// targets. Exits 1 on errors and when Assimp's triangles per material differ from the plug-in's;
// missed targets are reported, not failed.
#include <plugin_library.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "load/child.h"
#include "load/model_memory.h"
#include "load/options.h"
#include "load/plugin_load.h"
#include "load/process_run.h"
#include "load/results.h"
#include "load/table.h"
#include "load/targets.h"
#include "load/triangle_check.h"
#include "load/write_floor.h"
#ifdef BENCH_HAVE_ASSIMP
#include "load/assimp_load.h"
#endif

namespace bench {
namespace {

void Progress(const std::string& what) {
    std::cerr << "bench_load: " << what << std::endl;
}

// Every load must give the same triangles; the first run of the fewest threads is the reference.
std::vector<std::string> CheckAgainst(const Record& reference, const Record& run,
                                      const std::string& name) {
    return CompareTriangles(reference.trianglesByMaterial, run.trianglesByMaterial, name);
}

// One round of every measurement, interleaved so that a slow spell of the shared machine
// spreads over all sides instead of one.
void MeasureRound(const Options& options, int round, Results& results,
                  std::vector<std::string>& mismatches) {
    const std::string of = " (run " + std::to_string(round + 1) + ")";
    for (ThreadedRuns& plugin : results.plugin) {
        Progress("plug-in, " + ThreadsText(plugin.threads) + of);
        plugin.runs.push_back(RunInChild(
            [&] { return MeasurePluginLoad(options.plugin, options.model, plugin.threads); }));
        const Record& reference = results.plugin.front().runs.front();
        for (auto& line : CheckAgainst(reference, plugin.runs.back(), "another plug-in load"))
            mismatches.push_back(std::move(line));
    }
    const Record& reference = results.plugin.front().runs.front();
    for (ThreadedRuns& process : results.pluginProcess) {
        Progress("skpimport's whole process, " + ThreadsText(process.threads) + of);
        process.runs.push_back(
            MeasureProcess(ProgramBesideThisOne("skpimport"),
                           {"--threads", std::to_string(process.threads), "--quiet", "--plugin",
                            options.plugin, options.model}));
    }
    Progress("model in memory" + of);
    results.model.push_back(RunInChild([&] { return MeasureModelInMemory(options.model); }));
#ifdef BENCH_HAVE_ASSIMP
    Progress("Assimp read, then flatten" + of);
    results.assimpReadThenFlatten.push_back(
        RunInChild([&] { return MeasureAssimpReadThenFlatten(options.gltf); }));
    Progress("Assimp read and flatten together" + of);
    results.assimpTogether.push_back(
        RunInChild([&] { return MeasureAssimpTogether(options.gltf); }));
    Progress("assimp_flatten's whole process" + of);
    results.assimpProcess.push_back(
        MeasureProcess(ProgramBesideThisOne("assimp_flatten"), {options.gltf}));
    for (const Record* run :
         {&results.assimpReadThenFlatten.back(), &results.assimpTogether.back()})
        for (auto& line : CheckAgainst(reference, *run, "Assimp"))
            mismatches.push_back(std::move(line));
#endif
    const auto bytes = static_cast<uint64_t>(reference.Require("output bytes"));
    for (ThreadedRuns& floor : results.floor) {
        Progress("write floor, " + ThreadsText(floor.threads) + of);
        floor.runs.push_back(RunInChild([&] { return MeasureWriteFloor(bytes, floor.threads); }));
    }
}

int Run(Options options) {
    if (options.plugin.empty()) options.plugin = skpimport::DefaultPluginPath();
    if (options.skpimport.empty()) options.skpimport = ProgramBesideThisOne("skpimport");
    for (const std::string& path :
         {options.model, options.gltf, options.plugin, options.skpimport}) {
        if (!std::filesystem::is_regular_file(path)) {
            std::cerr << "bench_load: no such file: " << path << '\n';
            return 1;
        }
    }
#ifndef BENCH_HAVE_ASSIMP
    Progress("built without Assimp: the Assimp measurements are skipped");
#endif
    Results results;
    for (const int threads : options.threads) {
        results.plugin.push_back({threads, {}});
        results.pluginProcess.push_back({threads, {}});
        results.floor.push_back({threads, {}});
    }
    std::vector<std::string> mismatches;
    for (int round = 0; round < options.runs; ++round)
        MeasureRound(options, round, results, mismatches);

    std::cout << MarkdownTable(results) << '\n'
              << MaterialTable(results) << '\n'
              << ThroughputText(results) << '\n'
              << TargetsText(EvaluateTargets(results));
    if (mismatches.empty()) return 0;
    std::cerr << "bench_load: TRIANGLE COUNTS DIFFER:\n";
    for (const std::string& line : mismatches) std::cerr << "  " << line << '\n';
    return 1;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    try {
        return bench::Run(bench::ParseOptions(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const bench::UsageError& e) {
        std::cerr << "bench_load: " << e.what() << '\n' << bench::kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "bench_load: " << e.what() << '\n';
        return 1;
    }
}
