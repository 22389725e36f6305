#include <SketchUpAPI/model/drawing_element.h>

#include "SkpReader.h"

namespace Importing {

// The element's own hidden flag wins; then its layer. Below the top level the default layer takes
// no part: elements on it are as visible as whatever encloses them.
bool SkpReader::IsHidden(SUDrawingElementRef element, bool topLevel) {
    bool hidden = false;
    if (SUDrawingElementGetHidden(element, &hidden) != SU_ERROR_NONE || hidden) return true;

    SULayerRef layer = SU_INVALID;
    SUDrawingElementGetLayer(element, &layer);
    if (layer.ptr == nullptr) return false;
    if (!topLevel && layer.ptr == defaultLayer.ptr) return false;

    const auto found = layerInfos.find(layer);
    return found != layerInfos.end() && !found->second.visible;
}

}  // namespace Importing
