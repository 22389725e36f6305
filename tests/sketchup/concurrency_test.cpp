// Many threads read one model at once, creating and releasing their own strings, typed values,
// mesh helpers and image reps; each must see exactly what a single-threaded walk sees.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "test_support.h"

using namespace sutest;

namespace {

// Walks everything reachable and writes it down as text, so walks can be compared.
class Walk {
public:
    explicit Walk(SUModelRef model) : model_(model) {}

    std::string Run() {
        Options();
        Materials();
        Entities(RootEntities(model_), 0);
        return out_.str();
    }

private:
    template <class Parent, class Ref>
    std::vector<Ref> List(Parent parent, SUResult (*count)(Parent, size_t*),
                          SUResult (*get)(Parent, size_t, Ref[], size_t*)) {
        size_t n = 0;
        EXPECT_EQ(count(parent, &n), SU_ERROR_NONE);
        std::vector<Ref> refs(n);
        EXPECT_EQ(get(parent, n, refs.data(), &n), SU_ERROR_NONE);
        return refs;
    }

    void Options() {
        SURenderingOptionsRef options = SU_INVALID;
        EXPECT_EQ(SUModelGetRenderingOptions(model_, &options), SU_ERROR_NONE);
        TypedValue value;
        String text;
        EXPECT_EQ(SURenderingOptionsGetValue(options, "Style", value.out()), SU_ERROR_NONE);
        EXPECT_EQ(SUTypedValueGetString(value.get(), text.out()), SU_ERROR_NONE);
        out_ << "style " << text.Utf8() << "\n";
    }

    void Materials() {
        for (SUMaterialRef material : List(model_, SUModelGetNumMaterials, SUModelGetMaterials)) {
            out_ << "material " << MaterialName(material);
            SUTextureRef texture = SU_INVALID;
            if (SUMaterialGetTexture(material, &texture) == SU_ERROR_NONE) {
                ImageRep rep;
                EXPECT_EQ(SUTextureGetColorizedImageRep(texture, rep.out()), SU_ERROR_NONE);
                size_t size = 0, bits = 0;
                EXPECT_EQ(SUImageRepGetDataSize(rep.get(), &size, &bits), SU_ERROR_NONE);
                std::vector<SUByte> data(size);
                EXPECT_EQ(SUImageRepGetData(rep.get(), size, data.data()), SU_ERROR_NONE);
                for (SUByte b : data) out_ << " " << int(b);
            }
            out_ << "\n";
        }
    }

    void Face(SUFaceRef face) {
        SUMeshHelperRef helper = SU_INVALID;
        EXPECT_EQ(SUMeshHelperCreate(&helper, face), SU_ERROR_NONE);
        size_t n = 0, triangles = 0;
        EXPECT_EQ(SUMeshHelperGetNumVertices(helper, &n), SU_ERROR_NONE);
        EXPECT_EQ(SUMeshHelperGetNumTriangles(helper, &triangles), SU_ERROR_NONE);
        std::vector<SUPoint3D> points(n), stq(n);
        std::vector<size_t> indices(3 * triangles);
        EXPECT_EQ(SUMeshHelperGetVertices(helper, n, points.data(), &n), SU_ERROR_NONE);
        EXPECT_EQ(SUMeshHelperGetFrontSTQCoords(helper, n, stq.data(), &n), SU_ERROR_NONE);
        EXPECT_EQ(SUMeshHelperGetVertexIndices(helper, indices.size(), indices.data(), &n),
                  SU_ERROR_NONE);
        EXPECT_EQ(SUMeshHelperRelease(&helper), SU_ERROR_NONE);
        out_ << "face";
        for (size_t i = 0; i < points.size(); ++i) {
            out_ << " " << points[i].x << "," << points[i].y << "," << points[i].z << "/"
                 << stq[i].x << "," << stq[i].y;
        }
        for (size_t index : indices) out_ << " " << index;
        SUMaterialRef material = SU_INVALID;
        if (SUFaceGetFrontMaterial(face, &material) == SU_ERROR_NONE)
            out_ << " " << MaterialName(material);
        out_ << "\n";
    }

    void Placement(SUComponentInstanceRef instance, int depth) {
        SUTransformation transform;
        EXPECT_EQ(SUComponentInstanceGetTransform(instance, &transform), SU_ERROR_NONE);
        SUComponentDefinitionRef definition = SU_INVALID;
        EXPECT_EQ(SUComponentInstanceGetDefinition(instance, &definition), SU_ERROR_NONE);
        String name;
        EXPECT_EQ(SUComponentDefinitionGetName(definition, name.out()), SU_ERROR_NONE);
        out_ << "place " << name.Utf8() << " at " << transform.values[12] << "\n";
        SUEntitiesRef entities = SU_INVALID;
        EXPECT_EQ(SUComponentDefinitionGetEntities(definition, &entities), SU_ERROR_NONE);
        Entities(entities, depth + 1);
    }

    void Entities(SUEntitiesRef entities, int depth) {
        for (SUFaceRef face : List(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces)) Face(face);
        for (SUGroupRef group : List(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups)) {
            SUEntitiesRef inner = SU_INVALID;
            EXPECT_EQ(SUGroupGetEntities(group, &inner), SU_ERROR_NONE);
            out_ << "group\n";
            Entities(inner, depth + 1);
        }
        for (auto instance : List(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances)) {
            Placement(instance, depth);
        }
        for (SUImageRef image : List(entities, SUEntitiesGetNumImages, SUEntitiesGetImages)) {
            Placement(SUComponentInstanceRef{image.ptr}, depth);
        }
    }

    SUModelRef model_;
    std::ostringstream out_;
};

Json ManyFaces(int count) {
    Json document = RichDocument();
    for (int i = 0; i < count; ++i) {
        const double z = i;
        document["definitions"][0]["entities"]["faces"].push_back(
            {{"outer", {{0, 0, z}, {4 + i % 7, 0, z}, {4, 3, z}, {2, 1, z}, {0, 3, z}}},
             {"front", i % 2 ? "Brick" : "*2"}});
    }
    return document;
}

TEST(Concurrency, ThreadsWalkingOneModelSeeWhatOneThreadSees) {
    DocumentModel model(ManyFaces(300));
    ASSERT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    const std::string expected = Walk(model.get()).Run();
    ASSERT_GT(expected.size(), 10000u);

    constexpr int kThreads = 4, kRounds = 3;
    std::vector<std::string> seen(kThreads * kRounds);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int r = 0; r < kRounds; ++r) seen[t * kRounds + r] = Walk(model.get()).Run();
            });
        }
    }
    for (const std::string& walk : seen) EXPECT_TRUE(walk == expected);
}

TEST(Concurrency, ModelsOpenAndCloseOnSeveralThreadsAtOnce) {
    const std::string text = ManyFaces(50).dump();
    TempDir dir;
    const std::string path = dir.Write("model.skpm", text);
    const std::string bad = dir.Write("bad.skpm", "{\"modelDocument\": 1, \"layers\": 3}");
    std::vector<std::string> errors(4);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int r = 0; r < 5; ++r) {
                    Model good(path);
                    EXPECT_EQ(good.result(), SU_ERROR_NONE);
                    Model refused(bad);
                    errors[t] = refused.error();
                }
            });
        }
    }
    for (const std::string& error : errors) {
        EXPECT_EQ(error, "/layers: expected an array, found a number");
    }
}

}  // namespace
