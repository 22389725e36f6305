#pragma once

#include <SketchUpAPI/model/defs.h>

#include <cstdint>
#include <vector>

namespace Importing {

// One face of the model and its tessellation in scene convention (axes exchanged, metres).
// Records live in the face table and never move; leaf records point at them.
struct SkpFaceInfo {
    SUFaceRef face = SU_INVALID;
    SULayerRef layer = SU_INVALID;
    bool placed = false;  // written by many walk tasks at once, always to true (atomic_ref)
    bool tessellated = false;
    bool isImage = false;
    bool visible = true;  // the face's own hidden flag only; layers are judged when placing
    SUMaterialRef frontMaterial = SU_INVALID;
    SUMaterialRef backMaterial = SU_INVALID;
    int32_t numVertices = 0;
    int32_t numIndices = 0;         // three per triangle
    std::vector<uint32_t> indices;  // counting from this face's first vertex
    std::vector<float> positions;   // three per vertex
    std::vector<float> normals;     // three per vertex, not renormalised
    std::vector<float> frontUVs;    // two per vertex
    std::vector<float> backUVs;     // two per vertex
};

}  // namespace Importing
