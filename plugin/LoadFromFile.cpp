#include <DirectXMath.h>
#include <Importing/Node.h>
#include <Importing/SceneContainer.h>
#include <Importing/Transform.h>
#include <SketchUpAPI/model/model.h>
#include <skptext/char_class.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "LoadFailure.h"
#include "MaterialText.h"
#include "PathText.h"
#include "SkpReader.h"

namespace Importing {

namespace {

constexpr char16_t kSingleSidedMarker[] = u"_defaultsingle.";

// The whole model is lifted by a millimetre along the scene's up axis.
const DirectX::XMMATRIX kBaseTransform(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0.001f, 0, 1);

bool PathAsksForSingleSided(const std::u16string& path) {
    return skptext::ToUpper(path).rfind(skptext::ToUpper(kSingleSidedMarker)) !=
           std::u16string::npos;
}

template <typename List>
void ReserveMore(List& list, std::size_t more) {
    if (list.capacity() < list.size() + more) list.reserve(list.size() + more);
}

}  // namespace

int SkpReader::LoadFromFile(SceneContainer& scene, const std::u16string& path,
                            const std::u16string& config, bool flag) {
    sceneContainer = &scene;
    scene.SetSourceDescription(u"SketchUp");
    report.clear();
    LoadConfigValues(config);
    try {
        return RunLoad(path, flag);
    } catch (const LoadFailure& failure) {
        AbandonLoad();
        report += failure.ReportLine() + u"\n";
        return -1;
    } catch (const std::bad_alloc&) {
        AbandonLoad();
        report += u"Error: Out of memory.\n";
        return -1;
    } catch (...) {
        // The failure reaches the host as it was raised, with nothing left running or held.
        AbandonLoad();
        throw;
    }
}

int SkpReader::RunLoad(const std::u16string& path, bool flag) {
    phaseClock.Start();
    model = SU_INVALID;
    const std::string utf8Path = PathToUtf8(path);
    if (SUModelCreateFromFile(&model, utf8Path.c_str()) != SU_ERROR_NONE) {
        model = SU_INVALID;
        throw LoadFailure(u"Error: Can't open SKP file.");
    }
    phaseClock.Mark("read document");

    int major = 0, minor = 0, build = 0;
    SUModelGetVersion(model, &major, &minor, &build);
    sceneContainer->SetSourceDescription(FormatString(u"SketchUp %d.%d.%d", major, minor, build));
    doubleSided = !PathAsksForSingleSided(path);

    InitMaterialsByLayerOption();
    InitModel();
    phaseClock.Mark("scan");

    Node root;
    root.SetName(GetFileBaseName(path));
    root.SetLocalTransform(Transform(Transform::Indentity));
    sceneContainer->nodes.push_back(root);
    const int rootIndex = static_cast<int>(sceneContainer->nodes.size()) - 1;
    sceneContainer->SetRootNodeIndex(rootIndex);

    SUEntitiesRef entities = SU_INVALID;
    if (SUModelGetEntities(model, &entities) == SU_ERROR_NONE) {
        PrepareWalk(entities);
        const SUMaterialRef noMaterial = SU_INVALID;
        const VisitSlotHandOver first(0);
        TreeAddEntities(entities, kBaseTransform, noMaterial, true);
    }
    phaseClock.Mark("walk");

    // Room for one more geometry, surface and material per key, so the geometry addresses kept
    // in the material records stay valid whatever the container already held.
    const std::vector<void*> keys = OrderedMaterialKeys();
    ReserveMore(sceneContainer->geometryLibrary, keys.size());
    ReserveMore(sceneContainer->surfaces, keys.size());
    ReserveMore(sceneContainer->sceneMaterials, keys.size());
    materials.CreateMaterialSurfaces(keys, rootIndex);
    phaseClock.Mark("surfaces");

    MergeGeometries();
    phaseClock.Mark("merge");
    FreeLeafRecords();
    phaseClock.Mark("free leaves");

    if (rootIndex >= 0) {
        sceneContainer->FinishLoad(flag, flag);
        sceneContainer->FinishStep1();
        sceneContainer->FinishStep2();
    }
    materials.StopTextureWorker();
    phaseClock.Mark("textures");
    SUModelRelease(&model);
    Clear();
    phaseClock.Finish();
    return sceneContainer->GetLoadResult();
}

// The keys that something is placed with: the null key first, then the materials in the order
// their records were filled, so the same model gives the same scene whatever the threads did.
std::vector<void*> SkpReader::OrderedMaterialKeys() {
    std::vector<std::pair<int64_t, void*>> ranked;
    facePlans.ForEach([&](const SkpFacePlan& plan) {
        for (const SkpFacePlan::Run& run : plan.runs) {
            const auto found = materials.records.find(SUMaterialRef{run.key});
            const int64_t rank = run.key == nullptr                 ? -1
                                 : found != materials.records.end() ? found->second.index
                                                                    : INT64_MAX;
            ranked.emplace_back(rank, run.key);
        }
    });
    std::sort(ranked.begin(), ranked.end());
    ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
    std::vector<void*> keys;
    keys.reserve(ranked.size());
    for (const auto& entry : ranked) keys.push_back(entry.second);
    return keys;
}

void SkpReader::FreeLeafRecords() {
    visits.clear();
    visits.shrink_to_fit();
    facePlans.Clear();
    visitLayouts.Clear();
}

// Every way out of a failed load ends here: nothing of the load is left running or held.
void SkpReader::AbandonLoad() {
    materials.StopTextureWorker();
    FreeLeafRecords();
    if (model.ptr != nullptr) SUModelRelease(&model);
    Clear();
}

}  // namespace Importing
