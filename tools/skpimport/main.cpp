// skpimport: loads the SkpReader plug-in as the host application does, imports one model and
// reports what the plug-in put into the scene.

#include <Engine/ChannelType.h>
#include <Importing/SceneContainer.h>
#include <Importing/SceneJson.h>
#include <gltf_file.h>
#include <oneapi/tbb/global_control.h>
#include <scene_gltf.h>
#include <skptext/file_path.h>
#include <skptext/program_text.h>
#include <skptext/utf.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "descriptor.h"
#include "host_channel.h"
#include "host_load.h"
#include "load_phases.h"
#include "options.h"
#include "plugin_library.h"
#include "progress.h"
#include "summary.h"

#ifdef SKPIMPORT_HAVE_OPEN_ERROR
#include <skpm/document_error.h>
#endif

namespace skpimport {
namespace {

constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;

void Complain(const std::string& message) {
    std::cerr << "skpimport: " << message << '\n';
}

// Why the stand-in SketchUp library last refused to open a model on this thread; empty when it
// gave no reason.
std::string OpenErrorReason() {
#ifdef SKPIMPORT_HAVE_OPEN_ERROR
    const char* reason = SKPMGetLastOpenError();
    return reason != nullptr ? reason : "";
#else
    return {};
#endif
}

// Loads the plug-in, checks its descriptor and creates the reader; null after saying why.
ReaderPtr CreateReader(const PluginLibrary& library) {
    using GetTypeFunction = ChannelType* (*)();
    using InitDllFunction = void* (*)();
    std::string error;
    const auto getType = reinterpret_cast<GetTypeFunction>(library.Symbol("GetType", error));
    const auto initDll = getType != nullptr
                             ? reinterpret_cast<InitDllFunction>(library.Symbol("InitDLL", error))
                             : nullptr;
    if (initDll == nullptr) {
        Complain("not an import plug-in: " + error);
        return nullptr;
    }
    const ChannelType* type = getType();
    if (type == nullptr) {
        Complain("the plug-in gave no descriptor");
        return nullptr;
    }
    if (const std::string problem = CheckDescriptor(*type); !problem.empty()) {
        Complain("not the SkpReader plug-in: " + problem);
        return nullptr;
    }
    // The host knows the reader only through its own declaration of the operations' slots.
    ReaderPtr reader = AdoptReader(initDll());
    if (!reader) Complain("the plug-in's InitDLL created no reader");
    return reader;
}

// The plug-in's optional export of its phase timings; null when it has none.
GetLoadPhasesFunction PhasesExport(const PluginLibrary& library) {
    std::string ignored;  // an older plug-in without timings is not an error
    return reinterpret_cast<GetLoadPhasesFunction>(
        library.Symbol("SkpReaderGetLoadPhases", ignored));
}

// Where the scene JSON goes, opened before the load so that a bad path fails early.
class JsonDestination {
public:
    bool Open(const std::optional<std::string>& path) {
        if (!path) return true;
        if (*path == "-") {
            stream_ = &std::cout;
            return true;
        }
        file_.open(skptext::PathFromUtf8(*path), std::ios::binary | std::ios::trunc);
        if (!file_) {
            Complain("cannot write " + *path);
            return false;
        }
        stream_ = &file_;
        return true;
    }
    std::ostream* Stream() const { return stream_; }
    bool IsStandardOutput() const { return stream_ == &std::cout; }

private:
    std::ofstream file_;
    std::ostream* stream_ = nullptr;
};

bool WriteJson(const JsonDestination& destination, const Importing::SceneContainer& scene,
               const LoadOutcome& outcome, bool geometryData) {
    if (destination.Stream() == nullptr) return true;
    try {
        WriteSceneJson(*destination.Stream(), scene,
                       {outcome.result, outcome.report, outcome.raised}, geometryData);
        return true;
    } catch (const std::exception& e) {
        Complain(std::string("writing the scene JSON failed: ") + e.what());
        return false;
    }
}

// Writes the glTF file of a scene the plug-in loaded (its load returned 0); after a failed load
// there is nothing worth viewing, so none is written. False when writing failed.
bool WriteGltfOutput(const std::string& path, const Importing::SceneContainer& scene,
                     const LoadOutcome& outcome) {
    if (outcome.result != 0) {
        Complain("no glTF written to " + path + ": the load failed");
        return true;
    }
    try {
        std::vector<std::string> warnings;
        gltf::GltfDocument document = gltf::SceneToGltf(scene, warnings);
        for (const std::string& warning : warnings) Complain("glTF: " + warning);
        std::string error;
        if (gltf::WriteGltf(std::move(document), path, error)) return true;
        Complain("writing the glTF file failed: " + error);
    } catch (const std::exception& e) {
        Complain(std::string("writing the glTF file failed: ") + e.what());
    }
    return false;
}

// Says how the load ended; true when it succeeded.
bool ReportOutcome(const LoadOutcome& outcome) {
    const bool succeeded = outcome.result == 0 && outcome.report.empty();
    if (succeeded) return true;
    if (outcome.raised) Complain("the load raised an exception: " + *outcome.raised);
    if (!outcome.report.empty()) {
        std::cerr << outcome.report;
        if (outcome.report.back() != '\n') std::cerr << '\n';
    }
    if (outcome.result && *outcome.result != 0)
        Complain("the load failed (result " + std::to_string(*outcome.result) + ")");
    if (const std::string reason = OpenErrorReason(); !reason.empty())
        Complain("the SketchUp library says: " + reason);
    return false;
}

int Run(const Options& options) {
    JsonDestination json;
    if (!json.Open(options.sceneJson)) return kExitFailed;
    Progress progress(std::cerr, !options.quiet);

    const std::string pluginPath = options.plugin ? *options.plugin : DefaultPluginPath();
    std::string error;
    const std::unique_ptr<PluginLibrary> library = PluginLibrary::Open(pluginPath, error);
    if (!library) {
        Complain("cannot load the plug-in " + pluginPath + ": " + error);
        return kExitFailed;
    }
    ReaderPtr reader = CreateReader(*library);
    if (!reader) return kExitFailed;
    if (const std::string problem = InitReader(*reader); !problem.empty()) {
        Complain(problem);
        return kExitFailed;
    }
    progress.Finished("loaded the plug-in " + pluginPath);

    Importing::SceneContainer scene;
    const LoadOutcome outcome =
        RunLoad(*reader, scene, skptext::ToUtf16(options.model), skptext::ToUtf16(options.config),
                options.flag, options.threads.value_or(0));
    const std::vector<PhaseTiming> phases = ReadLoadPhases(PhasesExport(*library), reader.get());
    progress.Finished(LoadStageText(phases));

    // Outputs are written while the reader lives: its texture files are its to remove.
    bool written = WriteJson(json, scene, outcome, options.geometryData);
    if (options.sceneJson && written && !json.IsStandardOutput())
        progress.Finished("wrote " + *options.sceneJson);
    if (options.output) {
        const bool gltfWritten = WriteGltfOutput(*options.output, scene, outcome);
        if (gltfWritten && outcome.result == 0) progress.Finished("wrote " + *options.output);
        written = written && gltfWritten;
    }
    reader.reset();

    const bool succeeded = ReportOutcome(outcome);
    if (!options.quiet) {
        std::ostream& text = json.IsStandardOutput() ? std::cerr : std::cout;
        text << SummaryText(CountScene(scene), outcome.milliseconds);
    }
    if (options.timings) std::cerr << TimingsText(phases, outcome.milliseconds);
    return succeeded && written ? kExitOk : kExitFailed;
}

}  // namespace
}  // namespace skpimport

int main(int argc, char** argv) {
    using namespace skpimport;
    // The parallel runtime's workers, which the plug-in's loads start, are joined before the
    // program ends: none is still ending while the process tears down (a leak checker at exit
    // would find it half gone).
    oneapi::tbb::task_scheduler_handle workers{oneapi::tbb::attach{}};
    const struct JoinWorkers {
        oneapi::tbb::task_scheduler_handle& handle;
        ~JoinWorkers() { oneapi::tbb::finalize(handle, std::nothrow); }
    } joinWorkers{workers};
    skptext::UseBinaryStandardStreams();
    const std::vector<std::string> arguments = skptext::Utf8Arguments(argc, argv);
    Options options;
    std::string error;
    if (!ParseOptions(arguments, options, error)) {
        Complain(error);
        std::cerr << "Try 'skpimport --help'.\n";
        return kExitUsage;
    }
    if (options.help) {
        std::cout << UsageText("skpimport");
        return kExitOk;
    }
    return Run(options);
}
