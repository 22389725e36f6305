#include <atomic>
#include <cstdint>
#include <mutex>

#include "SkpReader.h"

namespace Importing {

namespace {

// Guards the tessellation of a record that the scan left untessellated, which several tasks may
// be placing at once. Striped, so unrelated faces do not wait for one another.
std::mutex& TessellationLock(const SkpFaceInfo* info) {
    static std::mutex locks[64];
    return locks[(reinterpret_cast<std::uintptr_t>(info) / alignof(SkpFaceInfo)) % 64];
}

}  // namespace

void SkpReader::TreeAddFace(SUFaceRef face, DirectX::XMMATRIX transform, SUMaterialRef material,
                            bool topLevel) {
    const auto found = faceInfos.find(face);
    if (found == faceInfos.end()) return;
    SkpFaceInfo& info = found->second;
    if (info.face.ptr == nullptr || !info.visible) return;
    if (topLevel && info.layer.ptr != nullptr) {
        const auto layer = layerInfos.find(info.layer);
        if (layer != layerInfos.end() && !layer->second.visible) return;
    }
    if (!std::atomic_ref<bool>(info.tessellated).load()) {
        std::lock_guard<std::mutex> lock(TessellationLock(&info));
        if (!info.tessellated) InitFaceInfo(&info);
    }
    if (info.numVertices == 0) return;

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

    const SkpPlacement* placement = leafStaging.PlacementFor(transform, placements);
    leafStaging.Add(front.ptr, SkpLeafNode{&info, placement, false}, materialLeaves);
    if (doubleSided || back.ptr != nullptr) {
        leafStaging.Add(back.ptr, SkpLeafNode{&info, placement, true}, materialLeaves);
    }
    // Every placement of a face lands here; writing only the first time keeps the record's cache
    // line shared between the workers instead of bouncing it from core to core.
    std::atomic_ref<bool> placed(info.placed);
    if (!placed.load(std::memory_order_relaxed)) placed.store(true, std::memory_order_relaxed);
}

}  // namespace Importing
