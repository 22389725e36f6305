#include "Importing/Surface.h"

namespace Importing {

Surface::Surface(int geometryId, int materialId)
    : geometryId_(geometryId), materialId_(materialId) {}

void Surface::AddMap(const std::u16string& name, int value) {
    maps_.emplace_back(name, value);
}

int Surface::GetGeometryId() const {
    return geometryId_;
}
int Surface::GetMaterialId() const {
    return materialId_;
}
const std::vector<std::pair<std::u16string, int>>& Surface::GetMaps() const {
    return maps_;
}

}  // namespace Importing
