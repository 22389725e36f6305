#include "plugin_load.h"

#include <Engine/ChannelType.h>
#include <Importing/SceneContainer.h>
#include <descriptor.h>
#include <host_channel.h>
#include <host_load.h>
#include <load_phases.h>
#include <oneapi/tbb/task_arena.h>
#include <plugin_library.h>
#include <skptext/utf.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "memory.h"

namespace bench {
namespace {

using skpimport::PluginLibrary;

template <typename Function>
Function SymbolOf(const PluginLibrary& library, const char* name) {
    std::string error;
    void* symbol = library.Symbol(name, error);
    if (symbol == nullptr) throw std::runtime_error("the plug-in has no " + std::string(name));
    return reinterpret_cast<Function>(symbol);
}

skpimport::ReaderPtr CreateReader(const PluginLibrary& library) {
    const auto getType = SymbolOf<ChannelType* (*)()>(library, "GetType");
    const auto initDll = SymbolOf<void* (*)()>(library, "InitDLL");
    const ChannelType* type = getType();
    if (type == nullptr) throw std::runtime_error("the plug-in gave no descriptor");
    if (const std::string problem = skpimport::CheckDescriptor(*type); !problem.empty())
        throw std::runtime_error("not the SkpReader plug-in: " + problem);
    skpimport::ReaderPtr reader = skpimport::AdoptReader(initDll());
    if (!reader) throw std::runtime_error("the plug-in's InitDLL created no reader");
    if (const std::string problem = skpimport::InitReader(*reader); !problem.empty())
        throw std::runtime_error(problem);
    return reader;
}

// The load itself, by slot as the host calls it.
SKPIMPORT_CALLS_BY_SLOT int Load(skpimport::HostChannel& reader, Importing::SceneContainer& scene,
                                 const std::u16string& path) {
    return reader.LoadFromFile(scene, path, u"", false);
}

// The arena confines the plug-in's parallel loops and task groups to `threads` workers (the
// calling thread among them).
int LoadInArena(skpimport::HostChannel& reader, Importing::SceneContainer& scene,
                const std::u16string& path, int threads) {
    tbb::task_arena arena(threads);
    int result = -1;
    arena.execute([&] { result = Load(reader, scene, path); });
    return result;
}

SKPIMPORT_CALLS_BY_SLOT std::string ReportOf(skpimport::HostChannel& reader) {
    return skptext::ToUtf8(reader.GetRaport());
}

void CountScene(const Importing::SceneContainer& scene, Record& record) {
    uint64_t vertices = 0, indices = 0;
    for (const Importing::Geometry& geometry : scene.geometryLibrary) {
        vertices += geometry.vertices.size();
        indices += geometry.indices.size();
    }
    for (const Importing::Surface& surface : scene.surfaces) {
        const auto geometry = static_cast<size_t>(surface.GetGeometryId());
        const auto material = static_cast<size_t>(surface.GetMaterialId());
        if (geometry >= scene.geometryLibrary.size() || material >= scene.sceneMaterials.size())
            throw std::runtime_error("the scene has a surface with a bad geometry or material");
        const std::string name = skptext::ToUtf8(scene.sceneMaterials[material].GetName());
        record.trianglesByMaterial[name] += scene.geometryLibrary[geometry].indices.size() / 3;
    }
    record.Set("vertices", double(vertices));
    record.Set("indices", double(indices));
    record.Set("triangles", double(indices / 3));
    record.Set("output bytes", double(32 * vertices + 4 * indices));
}

}  // namespace

Record MeasurePluginLoad(const std::string& pluginPath, const std::string& modelPath, int threads) {
    std::string error;
    const std::unique_ptr<PluginLibrary> library = PluginLibrary::Open(pluginPath, error);
    if (!library) throw std::runtime_error("cannot load the plug-in " + pluginPath + ": " + error);
    const auto getPhases =
        SymbolOf<skpimport::GetLoadPhasesFunction>(*library, "SkpReaderGetLoadPhases");
    skpimport::ReaderPtr reader = CreateReader(*library);

    Record record;
    record.Set("rss before bytes", double(CurrentResidentBytes()));
    Importing::SceneContainer scene;
    const auto start = std::chrono::steady_clock::now();
    const int result = LoadInArena(*reader, scene, skptext::ToUtf16(modelPath), threads);
    const std::chrono::duration<double> host = std::chrono::steady_clock::now() - start;
    record.Set("peak bytes", double(PeakResidentBytes()));
    if (result != 0)
        throw std::runtime_error("the plug-in's load failed (" + std::to_string(result) +
                                 "): " + ReportOf(*reader));
    record.Set("host s", host.count());
    for (const skpimport::PhaseTiming& phase : skpimport::ReadLoadPhases(getPhases, reader.get()))
        record.Set(std::string(phase.name != nullptr ? phase.name : "?") + " s",
                   phase.milliseconds / 1000);
    CountScene(scene, record);
    return record;
}

}  // namespace bench
