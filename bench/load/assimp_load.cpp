#include "assimp_load.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <chrono>
#include <stdexcept>

#include "memory.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const aiScene* Checked(const aiScene* scene, const Assimp::Importer& importer,
                       const std::string& path) {
    if (scene == nullptr)
        throw std::runtime_error("Assimp cannot read " + path + ": " + importer.GetErrorString());
    return scene;
}

// Triangles only: a flattened glTF triangle list has no other faces, but points or lines would
// not be comparable with the plug-in's triangles.
void CountFlatScene(const aiScene& scene, Record& record) {
    uint64_t vertices = 0, triangles = 0;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        uint64_t meshTriangles = 0;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f)
            meshTriangles += mesh.mFaces[f].mNumIndices == 3 ? 1 : 0;
        vertices += mesh.mNumVertices;
        triangles += meshTriangles;
        const std::string name = mesh.mMaterialIndex < scene.mNumMaterials
                                     ? scene.mMaterials[mesh.mMaterialIndex]->GetName().C_Str()
                                     : std::string("(no material)");
        record.trianglesByMaterial[name] += meshTriangles;
    }
    record.Set("vertices", double(vertices));
    record.Set("triangles", double(triangles));
}

}  // namespace

Record MeasureAssimpReadThenFlatten(const std::string& gltfPath) {
    Record record;
    Assimp::Importer importer;
    auto start = Clock::now();
    Checked(importer.ReadFile(gltfPath, 0), importer, gltfPath);
    record.Set("read s", SecondsSince(start));
    start = Clock::now();
    const aiScene* flat =
        Checked(importer.ApplyPostProcessing(aiProcess_PreTransformVertices), importer, gltfPath);
    record.Set("flatten s", SecondsSince(start));
    record.Set("peak bytes", double(PeakResidentBytes()));
    CountFlatScene(*flat, record);
    return record;
}

Record MeasureAssimpTogether(const std::string& gltfPath) {
    Record record;
    Assimp::Importer importer;
    const auto start = Clock::now();
    const aiScene* flat =
        Checked(importer.ReadFile(gltfPath, aiProcess_PreTransformVertices), importer, gltfPath);
    record.Set("together s", SecondsSince(start));
    record.Set("peak bytes", double(PeakResidentBytes()));
    CountFlatScene(*flat, record);
    return record;
}

}  // namespace bench
