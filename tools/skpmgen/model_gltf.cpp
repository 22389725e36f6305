#include "model_gltf.h"

#include <gltf_file.h>
#include <skptext/file_path.h>

#include <map>
#include <utility>

#include "definition_meshes.h"
#include "su_reading.h"

namespace skpmgen {
namespace {

// Builds the node tree: each placement a node; meshes shared by definition.
class NodeWalk {
public:
    explicit NodeWalk(gltf::GltfBuilder& builder) : builder_(builder), materials_(builder) {}

    // The node drawing `entities` (its faces as the mesh of `definition`, its placements as
    // children) under `matrix`.
    int Node(SUEntitiesRef entities, void* definition, const std::string& name,
             std::vector<double> matrix) {
        tinygltf::Node node;
        node.name = name;
        node.matrix = std::move(matrix);
        node.mesh = MeshOf(entities, definition, name);
        for (const auto instance :
             ListOf(entities, SUEntitiesGetNumInstances, SUEntitiesGetInstances)) {
            if (Hidden(SUComponentInstanceToDrawingElement(instance))) continue;
            SUComponentDefinitionRef def = SU_INVALID;
            Check(SUComponentInstanceGetDefinition(instance, &def),
                  "SUComponentInstanceGetDefinition");
            SUEntitiesRef inner = SU_INVALID;
            Check(SUComponentDefinitionGetEntities(def, &inner),
                  "SUComponentDefinitionGetEntities");
            SUTransformation transform;
            Check(SUComponentInstanceGetTransform(instance, &transform),
                  "SUComponentInstanceGetTransform");
            node.children.push_back(Node(inner, def.ptr, TextOf(SUComponentDefinitionGetName, def),
                                         GltfPlacementMatrix(transform)));
        }
        for (const auto group : ListOf(entities, SUEntitiesGetNumGroups, SUEntitiesGetGroups)) {
            if (Hidden(SUGroupToDrawingElement(group))) continue;
            SUComponentDefinitionRef def = SU_INVALID;
            Check(SUGroupGetDefinition(group, &def), "SUGroupGetDefinition");
            SUEntitiesRef inner = SU_INVALID;
            Check(SUGroupGetEntities(group, &inner), "SUGroupGetEntities");
            SUTransformation transform;
            Check(SUGroupGetTransform(group, &transform), "SUGroupGetTransform");
            node.children.push_back(Node(inner, def.ptr, TextOf(SUComponentDefinitionGetName, def),
                                         GltfPlacementMatrix(transform)));
        }
        return builder_.AddNode(std::move(node));
    }

private:
    static bool Hidden(SUDrawingElementRef element) {
        bool hidden = false;
        Check(SUDrawingElementGetHidden(element, &hidden), "SUDrawingElementGetHidden");
        return hidden;
    }

    int MeshOf(SUEntitiesRef entities, void* definition, const std::string& name) {
        if (const auto found = meshes_.find(definition); found != meshes_.end())
            return found->second;
        return meshes_[definition] = AddFacesMesh(entities, name, materials_, builder_);
    }

    gltf::GltfBuilder& builder_;
    GltfMaterials materials_;
    std::map<void*, int> meshes_;  // by definition; null for the model's top level
};

}  // namespace

std::vector<double> GltfPlacementMatrix(const SUTransformation& transform) {
    // C maps SketchUp (x, y, z) to glTF (x, z, -y); C^-1 is its transpose.
    static constexpr double C[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    const auto m = [&](int row, int column) { return transform.values[column * 4 + row]; };
    std::vector<double> out(16, 0.0);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            double sum = 0;  // (C A C^T)[row][column]
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) sum += C[row][i] * m(i, j) * C[column][j];
            out[column * 4 + row] = sum;
        }
        double translation = 0;
        for (int i = 0; i < 3; ++i) translation += C[row][i] * m(i, 3);
        out[12 + row] = translation * kMetresPerInch;
    }
    out[15] = 1;
    static const std::vector<double> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (out == identity) out.clear();  // glTF leaves the identity out
    return out;
}

bool WriteModelGltf(const std::string& modelPath, const std::string& gltfPath, std::string& error) {
    try {
        const suobjects::Model model(modelPath.c_str());
        Check(model.result(), "SUModelCreateFromFile");
        SUEntitiesRef entities = SU_INVALID;
        Check(SUModelGetEntities(model.get(), &entities), "SUModelGetEntities");
        gltf::GltfBuilder builder("skpmgen");
        NodeWalk walk(builder);
        const std::string name = skptext::PathToUtf8(skptext::PathFromUtf8(modelPath).stem());
        builder.AddSceneRoot(walk.Node(entities, nullptr, name, {}));
        return gltf::WriteGltf(builder.Finish(), gltfPath, error);
    } catch (const std::exception& e) {
        error = modelPath + ": " + e.what();
        return false;
    }
}

}  // namespace skpmgen
