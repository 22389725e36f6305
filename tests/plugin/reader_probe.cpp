#include "reader_probe.h"

#include <gtest/gtest.h>
#include <skptext/utf.h>

#include <fstream>

#include "test_platform.h"

namespace Importing::testing {

namespace fs = std::filesystem;

fs::path WriteDocument(const testsupport::TempFolder& folder, const std::string& name,
                       const nlohmann::json& document) {
    return testsupport::PathOf(folder.Write(name, document.dump(2)));
}

std::u16string Wide(const std::string& text) {
    return skptext::ToUtf16(text);
}

std::u16string Wide(const std::filesystem::path& path) {
    return skptext::ToUtf16(testsupport::Utf8(path));
}

nlohmann::json Document(nlohmann::json entities, nlohmann::json definitions,
                        nlohmann::json materials, nlohmann::json layers) {
    if (layers.empty()) layers = nlohmann::json::array({{{"name", "Layer0"}}});
    return {{"modelDocument", 1},     {"version", {21, 0, 339}},    {"layers", layers},
            {"materials", materials}, {"definitions", definitions}, {"entities", entities}};
}

nlohmann::json Square(double size, double z) {
    return {{"outer", {{0, 0, z}, {size, 0, z}, {size, size, z}, {0, size, z}}}};
}

nlohmann::json GreyPixels(int width, int bitsPerPixel) {
    const std::string run = bitsPerPixel == 32 ? "gICA/4CAgP+AgID/" : "gICA";
    const int perRun = bitsPerPixel == 32 ? 3 : 1;
    std::string data;
    for (int i = 0; i < width; i += perRun) data += run;
    return {{"width", width}, {"height", 1}, {"bitsPerPixel", bitsPerPixel}, {"data", data}};
}

nlohmann::json Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

nlohmann::json Scaling(double x, double y, double z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
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
