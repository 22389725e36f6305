#pragma once

#include <DirectXMath.h>
#include <Engine/Zel_Channel.h>
#include <SketchUpAPI/model/defs.h>

#include <cstdint>
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

// The import channel the host creates through InitDLL.
//
// A load, `LoadFromFile`, runs on the host's thread and returns when the scene is complete. It
// reads the model through the SketchUp C API and adds to the scene one root node, then per
// material key shown one scene material, one geometry and one surface. Inside it, work runs on
// oneTBB's workers; the operations below say which of them may run at the same moment, and what
// each may touch then. One reader runs one load at a time; loads of separate readers may overlap.
//
// Failures: `LoadFromFile` is the only operation that turns a failure into what the host sees.
// A file that cannot be opened, memory running out, or a geometry past 2^31 - 1 vertices or
// indices: one "Error: ..." line in the report and -1. An unreadable rendering option, group or
// definition: a message-less std::exception; a path that is not UTF-16: std::range_error. Every
// way out first stops the texture worker and frees the load's records and model.
//
// Units and axes: a scene is in metres, its second axis up; a model is in inches, its third axis
// up. Matrices are row-vector (a point is a row times the matrix, translation in the fourth row).
//
// Where each operation lives: plugin/ (the load, configuration, entry points, paths),
// scan/ (InitModel, InitEntities, InitFaceInfo, IsHidden, GetTransform), materials/ (the
// material table and its texture worker), tree/ (TreeAdd*, MergeGeometries, AddFaceToGeometry).
//
// The order of the virtual operations is part of the interface with the host, which calls the
// public ones by their slot: never reorder them, never add one in between.
class SKP_EXPORT SkpReader : public Zel_Channel {
public:
    SkpReader();
    SkpReader(const SkpReader& other);
    SkpReader& operator=(const SkpReader&) = delete;
    ~SkpReader() override;

    // Imports the model at `path` (UTF-16) into `scene`, which it does not own and which must
    // outlive the call; what `scene` held stays, and the addresses of its geometries stay valid.
    // Returns the scene's load result, or -1 with a line in the report. `flag` is handed to the
    // scene's FinishLoad. `config` is read by LoadConfigValues (nothing yet).
    virtual int LoadFromFile(SceneContainer& scene, const std::u16string& path,
                             const std::u16string& config, bool flag);
    // The last load's report: one line per failure, empty after a whole load.
    virtual std::u16string GetRaport();
    virtual int Init();
    virtual int Release();

    // Not part of the host interface: the phases of the last load, for progress and benchmarks.
    const LoadPhaseClock& LastLoadPhases() const { return phaseClock; }

protected:
    // Empties the per-load tables and handles; the material table keeps its numbering.
    virtual void Clear();
    virtual void LoadConfigValues(const std::u16string& config);
    // Reads the model's "DisplayColorByLayer"; raises a message-less exception when the
    // rendering options cannot be read.
    virtual void InitMaterialsByLayerOption();
    // The scan, on the loading thread: starts the texture worker, fills the layer table, the
    // material records and a face record for every face of every definition and of the root.
    virtual void InitModel();
    virtual void InitEntities(SUEntitiesRef entities, bool isImage);
    // Tessellates one face record in scene units and axes. Touches that record alone, so it may
    // run for different records at the same moment.
    virtual void InitFaceInfo(SkpFaceInfo* info);
    // The walk. Runs on many workers at once, for different collections and for the same one:
    // it reads the tables the scan filled and never changes them (a face record's `placed` flag
    // apart, set to true only), and writes each visit to its own slot. `transform` places the
    // collection in the scene (row-vector, metres); `material` is the one inherited, null for
    // none; `topLevel` is true for the root's own elements only.
    virtual void TreeAddEntities(SUEntitiesRef entities, DirectX::XMMATRIX transform,
                                 SUMaterialRef material, bool topLevel);
    virtual void TreeAddGroup(SUGroupRef group, DirectX::XMMATRIX transform, SUMaterialRef material,
                              bool topLevel);
    virtual void TreeAddInstance(SUComponentInstanceRef instance, DirectX::XMMATRIX transform,
                                 SUMaterialRef material, bool topLevel);
    virtual void TreeAddFace(SUFaceRef face, DirectX::XMMATRIX transform, SUMaterialRef material,
                             bool topLevel);
    // Sizes every geometry to the exact totals of what the visits place in it and fills it, in
    // parallel. Raises LoadFailure when a geometry would pass `geometryLimit` vertices or indices,
    // or was not filled to the counts.
    virtual void MergeGeometries();
    // Writes one placed face side at the given offsets: `leaf.faceInfo->numVertices` vertices and
    // `numIndices` indices, which the caller has made room for (the geometry is already sized),
    // indices counted from `vertexOffset`. Calls for disjoint ranges of one geometry may run at
    // the same moment. `sScale` and `tScale` scale the texture coordinates; `t` is flipped.
    virtual void AddFaceToGeometry(Geometry* geometry, SkpLeafNode* leaf, int vertexOffset,
                                   int indexOffset, float sScale, float tScale);
    // Hidden by its own flag (or an unreadable one) or by a hidden layer; below the top level an
    // element on the model's default layer follows its parent instead. Safe from many workers.
    virtual bool IsHidden(SUDrawingElementRef element, bool topLevel);
    // The placement of a group, component instance or image, row-vector, turned to the scene's
    // axes (the model's second and third exchanged) and its translation in metres; the identity
    // for any other entity or an unreadable placement. Safe from many workers at once.
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
    // The most vertices, and the most indices, one geometry may hold: its offsets are 32-bit.
    int64_t geometryLimit = INT32_MAX;
    std::u16string report;
    SceneContainer* sceneContainer = nullptr;  // not owned
    SkpMaterialTable materials;
    SUModelRef model = SU_INVALID;
    SULayerRef defaultLayer = SU_INVALID;
    bool materialsByLayer = false;
    LayerTable layerInfos;
    FaceTable faceInfos;  // records never move while a load runs: plans and leaves point at them
    VisitLayouts visitLayouts;  // where each collection's visits go, worked out before the walk
    FacePlanCache facePlans;    // what a visit places, per collection, material and level
    VisitList visits;           // the walk's visits in the model's order: what the merge writes
    bool doubleSided = true;
    LoadPhaseClock phaseClock;
};

}  // namespace Importing
