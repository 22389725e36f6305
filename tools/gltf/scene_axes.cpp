#include "scene_axes.h"

namespace gltf {

std::vector<double> GltfMatrix(const Importing::Transform& transform) {
    const auto& m = transform.Matrix();
    std::vector<double> columnMajor;
    bool identity = true;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const double sign = (row == 2) != (column == 2) ? -1.0 : 1.0;
            columnMajor.push_back(sign * m[row][column]);
            identity = identity && m[row][column] == (row == column ? 1.0f : 0.0f);
        }
    }
    if (identity) columnMajor.clear();
    return columnMajor;
}

}  // namespace gltf
