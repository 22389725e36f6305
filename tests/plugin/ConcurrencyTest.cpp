#include <gtest/gtest.h>
#include <oneapi/tbb/task_arena.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>

#include "SceneQueries.h"

namespace Importing::testing {
namespace {

using nlohmann::json;

// "M3", "D1": built by appending, which GCC 12 at -O3 does not mistake for overlapping copies.
std::string Name(char prefix, int index) {
    std::string name(1, prefix);
    name += std::to_string(index);
    return name;
}

// A town: a few definitions with several faces, placed thousands of times, some mirrored, some
// inside groups, on a few materials.
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
            faces.push_back(face);
        }
        definitions.push_back(
            {{"name", Name('D', d)}, {"kind", "component"}, {"entities", {{"faces", faces}}}});
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-500, 500);
    json instances = json::array(), groupInstances = json::array();
    for (int i = 0; i < instanceCount; ++i) {
        json transform = Translation(coordinate(random), coordinate(random), 0);
        if (i % 5 == 0) transform[0] = -1;
        json instance = {{"definition", Name('D', i % 3)}, {"transform", transform}};
        if (i % 7 == 0) instance["material"] = Name('M', i % 4);
        (i % 2 == 0 ? instances : groupInstances).push_back(instance);
    }
    definitions.push_back({{"name", "Block"},
                           {"kind", "group"},
                           {"entities", {{"instances", groupInstances}, {"faces", {Square(50)}}}}});
    return Document(
        {{"instances", instances}, {"groups", {{{"definition", "Block"}, {"material", "M1"}}}}},
        definitions, materials);
}

std::unique_ptr<SceneContainer> LoadWithThreads(const TestFolder& folder, const json& town,
                                                int threads) {
    tbb::task_arena arena(threads);
    std::unique_ptr<SceneContainer> scene;
    arena.execute([&] { scene = LoadScene(folder, town); });
    return scene;
}

// A geometry's triangles as a sorted list, each triangle started at its least vertex so that its
// winding is kept: the leaf ranges may lie in any order, what they hold may not differ.
std::vector<std::array<Vertex, 3>> Triangles(const Geometry& geometry) {
    auto less = [](const Vertex& a, const Vertex& b) {
        return std::memcmp(&a, &b, sizeof(Vertex)) < 0;
    };
    std::vector<std::array<Vertex, 3>> triangles;
    for (std::size_t t = 0; t + 2 < geometry.indices.size(); t += 3) {
        std::array<Vertex, 3> triangle;
        for (int k = 0; k < 3; ++k) triangle[k] = geometry.vertices.at(geometry.indices[t + k]);
        const auto least = std::min_element(triangle.begin(), triangle.end(), less);
        std::rotate(triangle.begin(), least, triangle.end());
        triangles.push_back(triangle);
    }
    std::sort(triangles.begin(), triangles.end(), [&](const auto& a, const auto& b) {
        return std::memcmp(a.data(), b.data(), sizeof(a)) < 0;
    });
    return triangles;
}

::testing::AssertionResult SameScene(const SceneContainer& a, const SceneContainer& b) {
    if (a.geometryLibrary.size() != b.geometryLibrary.size()) {
        return ::testing::AssertionFailure() << "geometry counts differ";
    }
    for (std::size_t g = 0; g < a.geometryLibrary.size(); ++g) {
        const Geometry& x = a.geometryLibrary[g];
        const Geometry& y = b.geometryLibrary[g];
        const auto xs = Triangles(x), ys = Triangles(y);
        if (x.vertices.size() != y.vertices.size() || xs.size() != ys.size() ||
            std::memcmp(xs.data(), ys.data(), xs.size() * sizeof(xs[0])) != 0) {
            return ::testing::AssertionFailure() << "geometry " << g << " differs";
        }
        if (a.sceneMaterials[g].GetName() != b.sceneMaterials[g].GetName()) {
            return ::testing::AssertionFailure() << "material " << g << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(Concurrency, ThousandsOfInstancesGiveTheSameTrianglesWhateverTheThreads) {
    TestFolder folder;
    const json town = Town(3000);
    const auto one = LoadWithThreads(folder, town, 1);
    const auto two = LoadWithThreads(folder, town, 2);
    const auto again = LoadWithThreads(folder, town, 4);
    std::size_t sides = 0;
    for (const Geometry& geometry : one->geometryLibrary) sides += geometry.vertices.size() / 4;
    // Every instance places 4, 5 or 6 squares, both sides; plus the block's own square.
    EXPECT_EQ(sides, 2u * (1000 * 4 + 1000 * 5 + 1000 * 6 + 1));
    EXPECT_TRUE(SameScene(*one, *two));
    EXPECT_TRUE(SameScene(*one, *again));
}

}  // namespace
}  // namespace Importing::testing
