#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/entity.h>
#include <SketchUpAPI/model/group.h>
#include <SketchUpAPI/transformation.h>

#include "SkpReader.h"

namespace Importing {

namespace {

// Where value k of a SketchUp matrix lands in the scene matrix, flattened row by row: the second
// and third rows and columns are exchanged, since the model's up axis is the scene's second.
constexpr int kSceneSlot[16] = {0, 2, 1, 3, 8, 10, 9, 11, 4, 6, 5, 7, 12, 14, 13, 15};

bool ReadPlacement(SUEntityRef entity, SUTransformation& placement) {
    switch (SUEntityGetType(entity)) {
        case SURefType_ComponentInstance:
            return SUComponentInstanceGetTransform(SUComponentInstanceFromEntity(entity),
                                                   &placement) == SU_ERROR_NONE;
        case SURefType_Group:
            return SUGroupGetTransform(SUGroupFromEntity(entity), &placement) == SU_ERROR_NONE;
        case SURefType_Image:
            // An image answers as the component instance it is inside SketchUp.
            return SUComponentInstanceGetTransform(SUComponentInstanceRef{entity.ptr},
                                                   &placement) == SU_ERROR_NONE;
        default:
            return false;
    }
}

}  // namespace

DirectX::XMMATRIX SkpReader::GetTransform(SUEntityRef entity) {
    SUTransformation placement;
    if (entity.ptr == nullptr || !ReadPlacement(entity, placement)) {
        return DirectX::XMMatrixIdentity();
    }
    const float weight = static_cast<float>(placement.values[15]);
    const float factor = weight == 0.0f ? 1.0f : 1.0f / weight;

    DirectX::XMFLOAT4X4 scene;
    float* slots = &scene.m[0][0];
    for (int k = 0; k < 16; ++k) {
        slots[kSceneSlot[k]] = static_cast<float>(placement.values[k]) * factor;
    }
    scene._41 *= unitScale;
    scene._42 *= unitScale;
    scene._43 *= unitScale;
    scene._44 = 1.0f;
    return DirectX::XMLoadFloat4x4(&scene);
}

}  // namespace Importing
