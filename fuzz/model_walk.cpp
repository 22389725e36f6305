#include "model_walk.h"

#include <SketchUpAPI/sketchup.h>

#include <string>
#include <vector>

namespace skpfuzz {

namespace {

template <class Ref>
using CountGetter = SUResult (*)(Ref, size_t*);
template <class Ref, class Item>
using ListGetter = SUResult (*)(Ref, size_t, Item[], size_t*);

// Every item of a counted list; an empty list when either call fails.
template <class Item, class Ref>
std::vector<Item> List(Ref owner, CountGetter<Ref> count, ListGetter<Ref, Item> get,
                       DocumentOutcome& outcome, const char* what) {
    size_t total = 0;
    if (count(owner, &total) != SU_ERROR_NONE) return {};
    std::vector<Item> items(total, Item SU_INVALID);
    size_t got = 0;
    if (get(owner, total, items.data(), &got) != SU_ERROR_NONE) return {};
    if (got != total) outcome.violations.push_back(std::string(what) + ": count and list differ");
    items.resize(got < total ? got : total);
    return items;
}

// Reads one of the mesh's per-vertex arrays; answers whether it had one entry per vertex.
template <class Item>
bool PerVertex(SUMeshHelperRef mesh, SUResult (*get)(SUMeshHelperRef, size_t, Item[], size_t*),
               size_t vertices) {
    std::vector<Item> items(vertices);
    size_t got = 0;
    return get(mesh, vertices, items.data(), &got) != SU_ERROR_NONE || got == vertices;
}

void WalkMesh(SUMeshHelperRef mesh, DocumentOutcome& outcome) {
    size_t vertices = 0, triangles = 0;
    if (SUMeshHelperGetNumVertices(mesh, &vertices) != SU_ERROR_NONE ||
        SUMeshHelperGetNumTriangles(mesh, &triangles) != SU_ERROR_NONE) {
        outcome.violations.push_back("a mesh helper without counts");
        return;
    }
    ++outcome.faces;
    outcome.triangles += triangles;
    std::vector<size_t> indices(3 * triangles);
    size_t got = 0;
    if (SUMeshHelperGetVertexIndices(mesh, indices.size(), indices.data(), &got) == SU_ERROR_NONE) {
        if (got != indices.size()) outcome.violations.push_back("not three indices a triangle");
        for (size_t i = 0; i < got; ++i) {
            if (indices[i] >= vertices) {
                outcome.violations.push_back("a vertex index past the vertices");
                break;
            }
        }
    }
    if (!PerVertex(mesh, SUMeshHelperGetVertices, vertices) ||
        !PerVertex(mesh, SUMeshHelperGetNormals, vertices) ||
        !PerVertex(mesh, SUMeshHelperGetFrontSTQCoords, vertices) ||
        !PerVertex(mesh, SUMeshHelperGetBackSTQCoords, vertices)) {
        outcome.violations.push_back("a per-vertex array of the wrong length");
    }
}

void WalkEntities(SUEntitiesRef entities, DocumentOutcome& outcome) {
    for (SUFaceRef face :
         List<SUFaceRef>(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces, outcome, "faces")) {
        SUMeshHelperRef mesh = SU_INVALID;
        if (SUMeshHelperCreate(&mesh, face) != SU_ERROR_NONE) continue;
        WalkMesh(mesh, outcome);
        if (SUMeshHelperRelease(&mesh) != SU_ERROR_NONE) {
            outcome.violations.push_back("a mesh helper could not be released");
        }
    }
}

void WalkImageRep(SUImageRepRef image, DocumentOutcome& outcome) {
    size_t width = 0, height = 0, padding = 0, size = 0, bits = 0;
    if (SUImageRepGetPixelDimensions(image, &width, &height) != SU_ERROR_NONE ||
        SUImageRepGetRowPadding(image, &padding) != SU_ERROR_NONE ||
        SUImageRepGetDataSize(image, &size, &bits) != SU_ERROR_NONE) {
        outcome.violations.push_back("an image rep without its dimensions");
        return;
    }
    ++outcome.textures;
    if (size != (width * bits / 8 + padding) * height) {
        outcome.violations.push_back("image data size disagrees with its dimensions");
        return;
    }
    std::vector<SUByte> pixels(size);
    if (SUImageRepGetData(image, size, pixels.data()) != SU_ERROR_NONE) {
        outcome.violations.push_back("image data of the announced size cannot be read");
    }
}

void WalkMaterial(SUMaterialRef material, DocumentOutcome& outcome) {
    SUTextureRef texture = SU_INVALID;
    if (SUMaterialGetTexture(material, &texture) != SU_ERROR_NONE) return;
    for (auto get : {SUTextureGetImageRep, SUTextureGetColorizedImageRep}) {
        SUImageRepRef image = SU_INVALID;
        if (SUImageRepCreate(&image) != SU_ERROR_NONE) return;
        if (get(texture, &image) == SU_ERROR_NONE) WalkImageRep(image, outcome);
        if (SUImageRepRelease(&image) != SU_ERROR_NONE) {
            outcome.violations.push_back("an image rep could not be released");
        }
    }
}

void WalkDefinitions(const std::vector<SUComponentDefinitionRef>& definitions,
                     DocumentOutcome& outcome) {
    for (SUComponentDefinitionRef definition : definitions) {
        SUEntitiesRef entities = SU_INVALID;
        if (SUComponentDefinitionGetEntities(definition, &entities) == SU_ERROR_NONE) {
            WalkEntities(entities, outcome);
        }
    }
}

}  // namespace

void WalkModel(SUModelRef model, DocumentOutcome& outcome) {
    SUEntitiesRef root = SU_INVALID;
    if (SUModelGetEntities(model, &root) == SU_ERROR_NONE) WalkEntities(root, outcome);
    WalkDefinitions(List<SUComponentDefinitionRef>(model, SUModelGetNumComponentDefinitions,
                                                   SUModelGetComponentDefinitions, outcome,
                                                   "component definitions"),
                    outcome);
    WalkDefinitions(
        List<SUComponentDefinitionRef>(model, SUModelGetNumGroupDefinitions,
                                       SUModelGetGroupDefinitions, outcome, "group definitions"),
        outcome);
    for (SUMaterialRef material : List<SUMaterialRef>(model, SUModelGetNumMaterials,
                                                      SUModelGetMaterials, outcome, "materials")) {
        WalkMaterial(material, outcome);
    }
}

}  // namespace skpfuzz
