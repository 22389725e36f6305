// The bundled sample model loads, every face in it tessellates, and faces are seen from the right
// side: walls, gables and roof of the house face out of it; floor, ground and water face up.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "file_contents.h"
#include "tessellate.h"

namespace skpm {
namespace {

using nlohmann::json;

std::vector<Vec3> LoopOf(const json& points) {
    std::vector<Vec3> loop;
    for (const json& p : points) loop.push_back({p.at(0), p.at(1), p.at(2)});
    return loop;
}

TEST(SampleHouse, EveryFaceTessellatesFacingOutwardOrUp) {
    const json doc = testsupport::ReadJson(SKPM_SAMPLES_DIR "/house.skpm");
    json blocks = doc.at("definitions");
    blocks.push_back({{"name", "root"}, {"entities", doc.at("entities")}});
    size_t faces = 0;
    for (const json& block : blocks) {
        const std::string label = block.at("name");
        for (const json& face : block.at("entities").value("faces", json::array())) {
            std::vector<std::vector<Vec3>> holes;
            for (const json& hole : face.value("holes", json::array()))
                holes.push_back(LoopOf(hole));
            FaceMesh mesh;
            std::string reason, front = face.value("front", "");
            ASSERT_TRUE(TessellateFace(LoopOf(face.at("outer")), holes, mesh, reason))
                << face << reason;
            ++faces;
            const Vec3 p = mesh.vertices[0], n = mesh.normal, c{120, 90, 48};  // c inside the house
            const bool up = front == "Oak floor" || front == "Lawn" || front == "Pool Water";
            const bool walls = label == "root" || label == "House walls";
            const double out = (p.x - c.x) * n.x + (p.y - c.y) * n.y + (p.z - c.z) * n.z;
            EXPECT_TRUE(up ? n.z > 0.99 : !walls || out > 0) << face;
        }
    }
    EXPECT_GT(faces, 0u) << "the sample has no faces";
}

}  // namespace
}  // namespace skpm
