// Many threads read one model at once, creating and releasing their own strings, typed values,
// mesh helpers and image reps; each must see exactly what a single-threaded walk sees.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "test_support.h"

using namespace sutest;

namespace {

// Writes down everything reachable from `entities`, so that walks can be compared.
void Walk(SUEntitiesRef entities, std::ostream& out) {
    for (SUFaceRef face : List(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces)) {
        const Mesh mesh = ReadMesh(face);
        for (size_t i = 0; i < mesh.vertices.size(); ++i) {
            const SUPoint3D &p = mesh.vertices[i], &stq = mesh.front[i];
            out << p.x << "," << p.y << "," << p.z << "/" << stq.x << "," << stq.y << " ";
        }
        for (size_t index : mesh.indices) out << index << " ";
        SUMaterialRef material = SU_INVALID;
        if (SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE)
            out << TextOf(SUMaterialGetNameLegacyBehavior, material);
        out << "\n";
    }
    for (SUGroupRef group : List(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups)) {
        out << "group\n";
        Walk(Get(SUGroupGetEntities, group), out);
    }
    auto instances = List(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances);
    for (SUImageRef image : List(entities, SUEntitiesGetNumImages, SUEntitiesGetImages))
        instances.push_back({image.ptr});  // as the plug-in asks about images
    for (SUComponentInstanceRef instance : instances) {
        const SUComponentDefinitionRef definition = Get(SUComponentInstanceGetDefinition, instance);
        out << TextOf(SUComponentDefinitionGetName, definition) << " at "
            << Get(SUComponentInstanceGetTransform, instance).values[12] << "\n";
        Walk(Get(SUComponentDefinitionGetEntities, definition), out);
    }
}

std::string Walk(SUModelRef model) {
    std::ostringstream out;
    TypedValue style;
    EXPECT_EQ(
        SURenderingOptionsGetValue(Get(SUModelGetRenderingOptions, model), "Style", style.out()),
        SU_ERROR_NONE);
    out << TextOf(SUTypedValueGetString, style.get()) << "\n";
    for (SUMaterialRef material : List(model, SUModelGetNumMaterials, SUModelGetMaterials)) {
        out << TextOf(SUMaterialGetNameLegacyBehavior, material);
        SUTextureRef texture = SU_INVALID;
        if (SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE) {
            ImageRep rep;
            EXPECT_EQ(SUTextureGetColorizedImageRep(texture, rep.out()), SU_ERROR_NONE);
            for (SUByte b : Pixels(rep.get())) out << " " << int(b);
        }
        out << "\n";
    }
    Walk(Get(SUModelGetEntities, model), out);
    return out.str();
}

TEST(Concurrency, ThreadsWalkingOneModelSeeWhatOneThreadSees) {
    Json document = RichDocument();
    for (int i = 0; i < 300; ++i) {  // concave faces, placed twice through the chair
        const double z = i;
        document["definitions"][0]["entities"]["faces"].push_back(
            {{"outer", {{0, 0, z}, {4 + i % 7, 0, z}, {4, 3, z}, {2, 1, z}, {0, 3, z}}},
             {"front", i % 2 ? "Brick" : "*2"}});
    }
    DocumentModel model(document);
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const std::string expected = Walk(model.get());
    ASSERT_GT(expected.size(), 10000u);
    std::vector<std::jthread> threads;  // joined before the model is released
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int r = 0; r < 3; ++r) EXPECT_TRUE(Walk(model.get()) == expected);
        });
    }
}

TEST(Concurrency, ModelsOpenAndCloseOnSeveralThreadsAtOnce) {
    const size_t before = SKPMGetLiveObjectCount();
    testsupport::TempFolder dir;
    const std::string good = dir.Write("good.skpm", RichDocument().dump());
    const std::string bad = dir.Write("bad.skpm", R"({"modelDocument": 1, "layers": 3})");
    std::vector<std::jthread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int r = 0; r < 5; ++r) {
                EXPECT_EQ(Model(good).result(), SU_ERROR_NONE);
                EXPECT_EQ(Model(bad).error(), "/layers: expected an array, found a number");
            }
        });
    }
    for (std::jthread& thread : threads) thread.join();
    EXPECT_EQ(SKPMGetLiveObjectCount(), before);
}

}  // namespace
