#pragma once

#include <SketchUpAPI/model/defs.h>

namespace Importing {

// One entry of the layer table: what the walk needs to know of a layer.
struct SkpLayerInfo {
    bool visible = true;
    SULayerRef layer = SU_INVALID;
    SUMaterialRef material = SU_INVALID;  // filled only when colours come from layers
};

}  // namespace Importing
