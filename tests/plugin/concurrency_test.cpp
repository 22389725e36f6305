#include <Importing/SceneJson.h>
#include <gtest/gtest.h>
#include <oneapi/tbb/task_arena.h>

#include <functional>
#include <random>
#include <sstream>

#include "scene_queries.h"

namespace Importing::testing {
namespace {

using nlohmann::json;

// "M3", "D1": built by appending, which GCC 12 at -O3 does not mistake for overlapping copies.
std::string Name(char prefix, int index) {
    std::string name(1, prefix);
    name += std::to_string(index);
    return name;
}

// A town: a few definitions with several faces (some with a back material), placed thousands of
// times, some mirrored, some hidden, some inside groups or nested in another definition, on a
// few materials; faces and an image at the top level too.
json Town(int instanceCount) {
    json materials = json::array();
    for (int m = 0; m < 4; ++m) {
        materials.push_back({{"name", Name('M', m)}, {"color", {40 * m, 90, 200, 255}}});
    }
    json definitions = json::array();
    for (int d = 0; d < 3; ++d) {
        json faces = json::array();
        for (int f = 0; f < 4 + d; ++f) {
            json face = Square(2 + f, f);
            if (f % 2 == 0) face["front"] = Name('M', (d + f) % 4);
            if (f == 3) face["back"] = Name('M', d);
            faces.push_back(face);
        }
        json entities = {{"faces", faces}};
        // The last definition holds two of the first, one of them mirrored.
        if (d == 2) {
            json mirrored = Scaling(-1, 1, 1);
            mirrored[12] = 30;
            entities["instances"] = {{{"definition", "D0"}, {"transform", Translation(0, 30, 0)}},
                                     {{"definition", "D0"}, {"transform", mirrored}}};
        }
        definitions.push_back(Definition(Name('D', d), "component", entities));
    }
    definitions.push_back(Definition("Photo", "image", {{"faces", {Square(7, 1)}}}));
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-500, 500);
    json instances = json::array(), groupInstances = json::array();
    for (int i = 0; i < instanceCount; ++i) {
        json transform = Translation(coordinate(random), coordinate(random), 0);
        if (i % 5 == 0) transform[0] = -1;
        json instance = {{"definition", Name('D', i % 3)}, {"transform", transform}};
        if (i % 7 == 0) instance["material"] = Name('M', i % 4);
        if (i % 11 == 0) instance["hidden"] = true;
        (i % 2 == 0 ? instances : groupInstances).push_back(instance);
    }
    definitions.push_back(
        Definition("Block", "group", {{"instances", groupInstances}, {"faces", {Square(50)}}}));
    return Document({{"faces", {Square(3, -1), Square(4, -2)}},
                     {"instances", instances},
                     {"groups", {{{"definition", "Block"}, {"material", "M1"}}}},
                     {"images", {{{"definition", "Photo"}}}}},
                    definitions, materials);
}

// The whole scene as the host tool writes it, vertices and indices included.
std::string SceneText(const SceneContainer& scene) {
    std::ostringstream out;
    WriteSceneJson(out, scene, SceneJsonInfo{0, "", std::nullopt}, true);
    return out.str();
}

// The scene loaded with the parallel runtime held to `threads` threads, as text; `check` sees it.
std::string LoadWithThreads(const testsupport::SystemTempFolder& folder, const json& town,
                            int threads,
                            const std::function<void(const SceneContainer&)>& check = {}) {
    tbb::task_arena arena(threads);
    std::string text;
    arena.execute([&] {
        const auto scene = LoadScene(folder, town);
        if (check) check(*scene);
        text = SceneText(*scene);
    });
    return text;
}

TEST(Concurrency, ThousandsOfInstancesGiveTheSameSceneWhateverTheThreadsAndRuns) {
    testsupport::SystemTempFolder folder;
    const json town = Town(2000);
    // A scene of the expected size, so that equal texts mean something.
    const std::string one = LoadWithThreads(folder, town, 1, [](const SceneContainer& scene) {
        std::size_t sides = 0;
        for (const Geometry& geometry : scene.geometryLibrary)
            sides += geometry.vertices.size() / 4;
        // Of every 11 placements one is hidden; D0 places 4 squares, D1 5, D2 6 plus two D0s.
        std::size_t squares = 0;
        for (int i = 0; i < 2000; ++i) {
            if (i % 11 != 0) squares += i % 3 == 0 ? 4 : i % 3 == 1 ? 5 : 6 + 2 * 4;
        }
        EXPECT_EQ(sides, 2 * (squares + 1 + 2 + 1));  // both sides; plus block, top, image faces
        EXPECT_GE(scene.geometryLibrary.size(), 4u);
    });
    for (const int threads : {2, 4, 4, 3}) {
        EXPECT_TRUE(LoadWithThreads(folder, town, threads) == one) << threads << " threads";
    }
}

}  // namespace
}  // namespace Importing::testing
