#include "reader_probe.h"

#include <gtest/gtest.h>
#include <skptext/utf.h>

#include <fstream>

#include "test_platform.h"

namespace Importing::testing {

namespace fs = std::filesystem;

std::u16string Wide(const std::string& text) {
    return skptext::ToUtf16(text);
}

std::u16string Wide(const std::filesystem::path& path) {
    return skptext::ToUtf16(testsupport::Utf8(path));
}

::testing::AssertionResult WindingAgreesWithNormals(const Geometry& geometry) {
    for (std::size_t t = 0; t + 2 < geometry.indices.size(); t += 3) {
        const Vertex& a = geometry.vertices.at(geometry.indices[t]);
        const Vertex& b = geometry.vertices.at(geometry.indices[t + 1]);
        const Vertex& c = geometry.vertices.at(geometry.indices[t + 2]);
        const float e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
        const float e2[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
        // By the right-hand rule in scene coordinates, e1 x e2 points to the side the triangle
        // shows its front to.
        const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                e1[0] * e2[1] - e1[1] * e2[0]};
        const float facing = cross[0] * a.nx + cross[1] * a.ny + cross[2] * a.nz;
        if (!(facing > 0)) {
            return ::testing::AssertionFailure()
                   << "triangle " << t / 3 << " winds against its normal (" << facing << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace Importing::testing
