#include <SketchUpAPI/model/entities.h>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "EntityLists.h"
#include "SkpReader.h"

namespace Importing {

namespace {

// Guards the tessellation of a record that the scan left untessellated, which several tasks may
// be placing at once. Striped, so unrelated faces do not wait for one another.
std::mutex& TessellationLock(const SkpFaceInfo* info) {
    static std::mutex locks[64];
    return locks[(reinterpret_cast<std::uintptr_t>(info) / alignof(SkpFaceInfo)) % 64];
}

// Deciding a face is cheap: fewer than this many are not worth a task of their own.
constexpr size_t kFacesPerTask = 32;

}  // namespace

// Whether the face is placed, with which sides and materials. Marks the record placed.
SkpFaceSides SkpReader::FaceSidesFor(SUFaceRef face, SUMaterialRef material, bool topLevel) {
    const auto found = faceInfos.find(face);
    if (found == faceInfos.end()) return {};
    SkpFaceInfo& info = found->second;
    if (info.face.ptr == nullptr || !info.visible) return {};
    if (topLevel && info.layer.ptr != nullptr) {
        const auto layer = layerInfos.find(info.layer);
        if (layer != layerInfos.end() && !layer->second.visible) return {};
    }
    if (!std::atomic_ref<bool>(info.tessellated).load()) {
        std::lock_guard<std::mutex> lock(TessellationLock(&info));
        if (!info.tessellated) InitFaceInfo(&info);
    }
    if (info.numVertices == 0) return {};

    SUMaterialRef front = material, back = material;
    if (!materialsByLayer || info.isImage) {
        if (info.frontMaterial.ptr != nullptr) front = info.frontMaterial;
        if (info.backMaterial.ptr != nullptr) back = info.backMaterial;
    } else {
        SUMaterialRef byLayer = material;
        if (info.layer.ptr != defaultLayer.ptr) {
            const auto layer = layerInfos.find(info.layer);
            byLayer = layer != layerInfos.end() ? layer->second.material : SUMaterialRef SU_INVALID;
        }
        if (byLayer.ptr == nullptr) {
            const auto fallback = layerInfos.find(defaultLayer);
            if (fallback != layerInfos.end()) byLayer = fallback->second.material;
        }
        front = back = byLayer;
    }
    // Several plans may hold a face; writing only the first time keeps the record's cache line
    // shared between the workers instead of bouncing it from core to core.
    std::atomic_ref<bool> placed(info.placed);
    if (!placed.load(std::memory_order_relaxed)) placed.store(true, std::memory_order_relaxed);
    return SkpFaceSides{&info, front.ptr, back.ptr, doubleSided || back.ptr != nullptr};
}

// Every face of the collection decided once for this material and level, in parallel.
const SkpFacePlan& SkpReader::PlanFaces(SUEntitiesRef entities, size_t faceCount,
                                        SUMaterialRef material, bool topLevel) {
    return facePlans.PlanFor({entities.ptr, material.ptr, topLevel}, [&] {
        const std::vector<SUFaceRef> faces =
            FetchAll<SUFaceRef>(entities, faceCount, SUEntitiesGetFaces);
        std::vector<SkpFaceSides> decisions(faces.size());
        tbb::parallel_for(tbb::blocked_range<size_t>(0, faces.size(), kFacesPerTask),
                          [&](const tbb::blocked_range<size_t>& range) {
                              for (size_t i = range.begin(); i != range.end(); ++i) {
                                  decisions[i] = FaceSidesFor(faces[i], material, topLevel);
                              }
                          });
        return SkpFacePlan::FromDecisions(decisions);
    });
}

// One face placed on its own, for callers outside the walk (which places whole collections):
// a visit of its own, behind the walk's.
void SkpReader::TreeAddFace(SUFaceRef face, DirectX::XMMATRIX transform, SUMaterialRef material,
                            bool topLevel) {
    const SkpFaceSides sides = FaceSidesFor(face, material, topLevel);
    if (sides.face == nullptr) return;
    const SkpFacePlan& plan = facePlans.Keep(SkpFacePlan::FromDecisions({sides}));
    visits.push_back(SkpVisit{SkpPlacement(transform), &plan});
}

}  // namespace Importing
