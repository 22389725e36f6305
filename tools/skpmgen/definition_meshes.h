// The faces of a definition (or of the model's top level) as one glTF mesh, triangulated by the
// SketchUp library's own mesh helper so that they are exactly the triangles the plug-in places.
#pragma once

#include <SketchUpAPI/sketchup.h>
#include <gltf_builder.h>

#include <map>
#include <string>

namespace skpmgen {

// SketchUp's inches to glTF's metres.
constexpr double kMetresPerInch = 0.0254;

// SketchUp (x east, y north, z up) to glTF (x east, y up, z south): (x, z, -y), a rotation.
inline gltf::Vec3 SketchUpToGltf(double x, double y, double z, double scale) {
    return {float(x * scale), float(z * scale), float(-y * scale)};
}

// The document's materials as glTF materials, each made on first use; faces without a front
// material get the "Default material" the plug-in uses.
class GltfMaterials {
public:
    explicit GltfMaterials(gltf::GltfBuilder& builder) : builder_(builder) {}
    int Of(SUMaterialRef material);

private:
    gltf::GltfBuilder& builder_;
    std::map<void*, int> made_;  // by the material's reference; null for the default
};

// The mesh of the visible faces directly in `entities`: front sides only, one primitive per front
// material. -1 when there is no triangle.
int AddFacesMesh(SUEntitiesRef entities, const std::string& name, GltfMaterials& materials,
                 gltf::GltfBuilder& builder);

}  // namespace skpmgen
