#include "Importing/Transform.h"

#include <algorithm>

namespace Importing {

const float Transform::Indentity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

Transform::Transform() : Transform(Indentity) {}

Transform::Transform(const float (&matrix)[4][4]) {
    std::copy(&matrix[0][0], &matrix[0][0] + 16, &matrix_[0][0]);
}

}  // namespace Importing
