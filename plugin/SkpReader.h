#pragma once

#include <DirectXMath.h>
#include <Engine/Zel_Channel.h>
#include <SketchUpAPI/model/defs.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "Export.h"
#include "FacePlanCache.h"
#include "LoadPhases.h"
#include "RefHash.h"
#include "SkpFaceInfo.h"
#include "SkpLayerInfo.h"
#include "SkpLeafNode.h"
#include "SkpMaterialTable.h"
#include "SkpVisit.h"
#include "VisitLayout.h"

namespace Importing {

class SceneContainer;
class Geometry;

// The import channel the host creates through InitDLL. The order of the virtual operations is
// part of the interface with the host, which calls the public ones by their slot: never reorder
// them, never add one in between.
class SKP_EXPORT SkpReader : public Zel_Channel {
public:
    SkpReader();
    SkpReader(const SkpReader& other);
    SkpReader& operator=(const SkpReader&) = delete;
    ~SkpReader() override;

    virtual int LoadFromFile(SceneContainer& scene, const std::u16string& path,
                             const std::u16string& config, bool flag);
    virtual std::u16string GetRaport();
    virtual int Init();
    virtual int Release();

    // Not part of the host interface: the phases of the last load, for progress and benchmarks.
    const LoadPhaseClock& LastLoadPhases() const { return phaseClock; }

protected:
    virtual void Clear();
    virtual void LoadConfigValues(const std::u16string& config);
    virtual void InitMaterialsByLayerOption();
    virtual void InitModel();
    virtual void InitEntities(SUEntitiesRef entities, bool isImage);
    virtual void InitFaceInfo(SkpFaceInfo* info);
    virtual void TreeAddEntities(SUEntitiesRef entities, DirectX::XMMATRIX transform,
                                 SUMaterialRef material, bool topLevel);
    virtual void TreeAddGroup(SUGroupRef group, DirectX::XMMATRIX transform, SUMaterialRef material,
                              bool topLevel);
    virtual void TreeAddInstance(SUComponentInstanceRef instance, DirectX::XMMATRIX transform,
                                 SUMaterialRef material, bool topLevel);
    virtual void TreeAddFace(SUFaceRef face, DirectX::XMMATRIX transform, SUMaterialRef material,
                             bool topLevel);
    virtual void MergeGeometries();
    virtual void AddFaceToGeometry(Geometry* geometry, SkpLeafNode* leaf, int vertexOffset,
                                   int indexOffset, float sScale, float tScale);
    virtual bool IsHidden(SUDrawingElementRef element, bool topLevel);
    virtual DirectX::XMMATRIX GetTransform(SUEntityRef entity);

    // Steps of a load that are not part of the host interface.
    void InitFace(SUFaceRef face, bool isImage);
    SUMaterialRef OwnMaterial(SUDrawingElementRef element) const;
    void PrepareWalk(SUEntitiesRef root);
    uint64_t LayOutVisits(SUEntitiesRef entities, bool topLevel);
    SkpFaceSides FaceSidesFor(SUFaceRef face, SUMaterialRef material, bool topLevel);
    const SkpFacePlan& PlanFaces(SUEntitiesRef entities, size_t faceCount, SUMaterialRef material,
                                 bool topLevel);
    void FreeLeafRecords();
    void AbandonLoad();
    int RunLoad(const std::u16string& path, bool flag);
    std::vector<void*> OrderedMaterialKeys();

    using LayerTable = std::unordered_map<SULayerRef, SkpLayerInfo, RefHash, RefEqual>;
    using FaceTable = std::unordered_map<SUFaceRef, SkpFaceInfo, RefHash, RefEqual>;

    float unitScale = 0.0254f;  // metres in the model's inch
    std::u16string report;
    SceneContainer* sceneContainer = nullptr;  // not owned
    SkpMaterialTable materials;
    SUModelRef model = SU_INVALID;
    SULayerRef defaultLayer = SU_INVALID;
    bool materialsByLayer = false;
    LayerTable layerInfos;
    FaceTable faceInfos;
    VisitLayouts visitLayouts;  // where each collection's visits go, worked out before the walk
    FacePlanCache facePlans;    // what a visit places, per collection, material and level
    VisitList visits;           // the walk's visits in the model's order: what the merge writes
    bool doubleSided = true;
    LoadPhaseClock phaseClock;
};

}  // namespace Importing
