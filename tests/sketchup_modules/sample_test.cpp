// The bundled sample model must stay a valid document that shows what its README promises.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "image.h"
#include "tessellate.h"

namespace skpm {
namespace {

using nlohmann::json;

json LoadSample() {
    std::ifstream file(SKPM_SAMPLES_DIR "/house.skpm");
    return json::parse(file);  // throws, failing the test, when missing or malformed
}

std::vector<Vec3> LoopOf(const json& points) {
    std::vector<Vec3> loop;
    for (const json& p : points) loop.push_back({p.at(0), p.at(1), p.at(2)});
    return loop;
}

std::set<std::string> NamesOf(const json& list) {
    std::set<std::string> names;
    for (const json& item : list) names.insert(item.at("name").get<std::string>());
    return names;
}

// Every entities block of the document: the root's, then each definition's, with a label.
std::vector<std::pair<std::string, const json*>> EntityBlocks(const json& doc) {
    std::vector<std::pair<std::string, const json*>> blocks{{"root", &doc.at("entities")}};
    for (const json& d : doc.at("definitions"))
        blocks.emplace_back(d.at("name").get<std::string>(), &d.at("entities"));
    return blocks;
}

TEST(SampleHouse, EveryFaceTessellatesAndEveryNameResolves) {
    const json doc = LoadSample();
    const std::set<std::string> materials = NamesOf(doc.at("materials"));
    const std::set<std::string> layers = NamesOf(doc.at("layers"));
    std::map<std::string, std::string> kinds;
    for (const json& d : doc.at("definitions")) kinds[d.at("name")] = d.at("kind");
    const auto material = [&](const json& o, const char* key) {
        return !o.contains(key) || o[key].is_null() || materials.count(o[key].get<std::string>());
    };
    const auto layer = [&](const json& o) {
        return !o.contains("layer") || o["layer"].is_null() ||
               layers.count(o["layer"].get<std::string>());
    };
    for (const auto& [label, block] : EntityBlocks(doc)) {
        for (const json& face : block->value("faces", json::array())) {
            std::vector<std::vector<Vec3>> holes;
            for (const json& hole : face.value("holes", json::array()))
                holes.push_back(LoopOf(hole));
            FaceMesh mesh;
            std::string reason;
            EXPECT_TRUE(TessellateFace(LoopOf(face.at("outer")), holes, mesh, reason))
                << label << ": " << face.dump() << ": " << reason;
            for (const char* stq : {"frontSTQ", "backSTQ"}) {
                if (face.contains(stq)) {
                    EXPECT_EQ(face[stq].size(), mesh.vertices.size()) << label;
                }
            }
            EXPECT_TRUE(material(face, "front") && material(face, "back") && layer(face)) << label;
        }
        for (const auto& [key, kind] :
             {std::pair{"groups", "group"}, {"instances", "component"}, {"images", "image"}}) {
            for (const json& placed : block->value(key, json::array())) {
                EXPECT_EQ(kinds[placed.at("definition")], kind) << label << ": " << placed.dump();
                EXPECT_TRUE(material(placed, "material") && layer(placed)) << label;
            }
        }
    }
}

TEST(SampleHouse, TexturesDecode) {
    const json doc = LoadSample();
    int withAlpha = 0;
    for (const json& m : doc.at("materials")) {
        if (!m.contains("texture")) continue;
        Image image;
        std::string reason;
        const std::string path = SKPM_SAMPLES_DIR "/" + m["texture"].at("image").get<std::string>();
        ASSERT_TRUE(DecodeImageFile(path, image, reason)) << reason;
        withAlpha += image.bitsPerPixel == 32;
    }
    EXPECT_EQ(withAlpha, 1) << "the leaves are the one cut-out texture";
}

// Walls, gables and roof face out of the house; floor, ground and water face up.
TEST(SampleHouse, FrontsFaceOutwardAndUp) {
    const json doc = LoadSample();
    const Vec3 centre{120, 90, 48};
    for (const auto& [label, block] : EntityBlocks(doc)) {
        if (label != "root" && label != "House walls" && label != "Pool") continue;
        for (const json& face : block->value("faces", json::array())) {
            FaceMesh mesh;
            std::string reason;
            ASSERT_TRUE(TessellateFace(LoopOf(face.at("outer")), {}, mesh, reason)) << reason;
            const Vec3 p = mesh.vertices[0];
            const std::string front = face.value("front", "");
            if (front == "Oak floor" || front == "Lawn" || front == "Pool Water") {
                EXPECT_GT(mesh.normal.z, 0.99) << front;
            } else if (label != "Pool") {
                const double out = mesh.normal.x * (p.x - centre.x) +
                                   mesh.normal.y * (p.y - centre.y) +
                                   mesh.normal.z * (p.z - centre.z);
                EXPECT_GT(out, 0) << label << ": " << face.at("outer").dump();
            }
        }
    }
}

}  // namespace
}  // namespace skpm
