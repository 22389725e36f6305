// assimp_flatten FILE: what a user of Assimp waits for to have a model flattened into world-space
// meshes: the process starts, reads the file and pre-transforms its vertices, frees everything and
// exits. Exits 1 when Assimp cannot read the file. bench_load times it from the outside.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: assimp_flatten FILE\n";
        return 2;
    }
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(argv[1], aiProcess_PreTransformVertices);
    if (scene == nullptr || scene->mNumMeshes == 0) {
        std::cerr << "assimp_flatten: " << importer.GetErrorString() << '\n';
        return 1;
    }
    return 0;
}
