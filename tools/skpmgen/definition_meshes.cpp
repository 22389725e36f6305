#include "definition_meshes.h"

#include <cmath>
#include <utility>
#include <vector>

#include "su_reading.h"

namespace skpmgen {
namespace {

// A face's triangulation, released at the end.
class MeshHelper : public suobjects::MeshHelper {
public:
    explicit MeshHelper(SUFaceRef face) : suobjects::MeshHelper(face) {
        Check(result(), "SUMeshHelperCreate");
    }

    template <class T>
    std::vector<T> Read(SUResult (*get)(SUMeshHelperRef, size_t, T[], size_t*), size_t n) const {
        std::vector<T> out(n);
        size_t count = 0;
        Check(get(this->get(), n, out.data(), &count), "reading a face's mesh");
        out.resize(count);
        return out;
    }
    size_t Count(SUResult (*get)(SUMeshHelperRef, size_t*)) const {
        size_t n = 0;
        Check(get(this->get(), &n), "sizing a face's mesh");
        return n;
    }
};

// The triangles of one material, gathered over faces.
struct Primitive {
    std::vector<gltf::Vec3> positions, normals;
    std::vector<uint32_t> indices;
};

void AppendFace(SUFaceRef face, Primitive& primitive) {
    const MeshHelper mesh(face);
    const size_t vertexCount = mesh.Count(SUMeshHelperGetNumVertices);
    const auto points = mesh.Read(SUMeshHelperGetVertices, vertexCount);
    const auto normals = mesh.Read(SUMeshHelperGetNormals, vertexCount);
    const auto indices =
        mesh.Read(SUMeshHelperGetVertexIndices, 3 * mesh.Count(SUMeshHelperGetNumTriangles));
    const auto base = static_cast<uint32_t>(primitive.positions.size());
    for (size_t v = 0; v < points.size(); ++v) {
        primitive.positions.push_back(
            SketchUpToGltf(points[v].x, points[v].y, points[v].z, kMetresPerInch));
        const SUVector3D& n = normals[v];
        const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        primitive.normals.push_back(length > 0 ? SketchUpToGltf(n.x, n.y, n.z, 1 / length)
                                               : gltf::Vec3{0, 1, 0});
    }
    // Counter-clockwise about the front normal already, and the change of axes is a rotation.
    for (const size_t index : indices)
        primitive.indices.push_back(base + static_cast<uint32_t>(index));
}

bool Hidden(SUFaceRef face) {
    bool hidden = false;
    Check(SUDrawingElementGetHidden(SUFaceToDrawingElement(face), &hidden),
          "SUDrawingElementGetHidden");
    return hidden;
}

}  // namespace

int GltfMaterials::Of(SUMaterialRef material) {
    if (const auto found = made_.find(material.ptr); found != made_.end()) return found->second;
    tinygltf::Material out;
    SUColor colour{170, 170, 170, 255};  // the plug-in's default grey, 2/3
    if (SUIsInvalid(material)) {
        out.name = "Default material";
    } else {
        out.name = TextOf(SUMaterialGetName, material);
        Check(SUMaterialGetColor(material, &colour), "SUMaterialGetColor");
    }
    out.pbrMetallicRoughness.baseColorFactor = {colour.red / 255.0, colour.green / 255.0,
                                                colour.blue / 255.0, colour.alpha / 255.0};
    out.pbrMetallicRoughness.metallicFactor = 0;
    if (colour.alpha < 255) out.alphaMode = "BLEND";
    return made_[material.ptr] = builder_.AddMaterial(std::move(out));
}

int AddFacesMesh(SUEntitiesRef entities, const std::string& name, GltfMaterials& materials,
                 gltf::GltfBuilder& builder) {
    std::map<int, Primitive> byMaterial;
    for (const SUFaceRef face : ListOf(entities, SUEntitiesGetNumFaces, SUEntitiesGetFaces)) {
        if (Hidden(face)) continue;
        SUMaterialRef front = SU_INVALID;
        if (SUFaceGetFrontMaterial(face, &front) != SU_ERROR_NONE) front = SU_INVALID;
        AppendFace(face, byMaterial[materials.Of(front)]);
    }
    tinygltf::Mesh mesh;
    mesh.name = name;
    for (const auto& [material, primitive] : byMaterial) {
        if (primitive.indices.empty()) continue;
        tinygltf::Primitive out;
        out.attributes["POSITION"] = builder.AddVec3(primitive.positions, true);
        out.attributes["NORMAL"] = builder.AddVec3(primitive.normals, false);
        out.indices = builder.AddIndices(primitive.indices, primitive.positions.size());
        out.material = material;
        out.mode = TINYGLTF_MODE_TRIANGLES;
        mesh.primitives.push_back(std::move(out));
    }
    return mesh.primitives.empty() ? -1 : builder.AddMesh(std::move(mesh));
}

}  // namespace skpmgen
