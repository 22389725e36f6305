#pragma once

#include <SketchUpAPI/model/defs.h>
#include <oneapi/tbb/concurrent_queue.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "RefHash.h"
#include "SkpMaterialInfo.h"

namespace Importing {

class SceneContainer;

// The material records of a load, the scene materials made from them, and the background worker
// that writes their textures to files while the load goes on.
class SkpMaterialTable {
public:
    SkpMaterialTable();
    // A copy takes the records and settings but never the source's worker or queue: it starts
    // with none, so it can neither join nor free a thread it does not own.
    SkpMaterialTable(const SkpMaterialTable& other);
    SkpMaterialTable& operator=(const SkpMaterialTable&) = delete;
    ~SkpMaterialTable();  // stops a worker that is still running

    // Records
    void Reset();
    void InitModelMaterials(SUModelRef model);
    bool InitLayerMaterial(SULayerRef layer);
    bool InitMaterial(SUMaterialRef material, SULayerRef layer);
    // Never null: a null material, or one without a record, gives the default record.
    SkpMaterialInfo* FindMaterial(SUMaterialRef material);
    const SkpMaterialInfo* FindMaterial(SUMaterialRef material) const;

    // Scene materials and surfaces, made on the loading thread after the walk.
    SkpMaterialInfo* AddMaterialToScene(SUMaterialRef material);
    // `keys` in the order the surfaces are to be made; every key's record gets one geometry.
    void CreateMaterialSurfaces(const std::vector<void*>& keys, int nodeIndex);

    // Texture export worker
    void StartTextureWorker(SceneContainer* scene);
    void QueueTexture(SkpMaterialInfo* record);
    void StopTextureWorker();
    bool IsTextureWorkerRunning() const { return worker_ != nullptr; }

    using RecordMap = std::unordered_map<SUMaterialRef, SkpMaterialInfo, RefHash, RefEqual>;

    RecordMap records;
    uint32_t counter = 0;  // last index given out; numbering goes on across loads
    SkpMaterialInfo defaultMaterial;
    std::u16string namePrefix;  // replaces a leading '*' of material names
    std::u16string tempFolder;  // where textures are written; ends with a separator or is empty
    SceneContainer* scene = nullptr;

private:
    // The worker's business alone: what it is to write, when to stop, and its thread.
    tbb::concurrent_queue<SkpMaterialInfo*> textureQueue_;
    std::atomic<bool> stopWorker_ = false;
    std::unique_ptr<std::thread> worker_;

    void InitTextureInfo(SkpMaterialInfo& record);
    void InitSurfaceType(SkpMaterialInfo& record);
    void WorkerLoop();
    void ExportTexture(SkpMaterialInfo* record);
};

}  // namespace Importing
