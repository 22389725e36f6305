// Fault injection: the C API functions a document may make fail, per object, with a "fail" list.
#pragma once

#include <SketchUpAPI/common.h>

#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skpm {

// Which objects of a document may carry a fail list; a function fails only on the kinds it is
// asked about.
enum FailOwner : uint16_t {
    kDocumentOwner = 1 << 0,
    kLayerOwner = 1 << 1,
    kMaterialOwner = 1 << 2,
    kTextureOwner = 1 << 3,
    kDefinitionOwner = 1 << 4,
    kFaceOwner = 1 << 5,
    kGroupOwner = 1 << 6,
    kInstanceOwner = 1 << 7,
    kImageOwner = 1 << 8,
};

inline constexpr uint16_t kElementOwners = kFaceOwner | kGroupOwner | kInstanceOwner | kImageOwner;
inline constexpr uint16_t kEntityOwners =
    kElementOwners | kLayerOwner | kMaterialOwner | kDefinitionOwner;

// X(function, owners that may list it, what it answers when it fails). Functions whose natural
// failure is "there is nothing" answer NO_DATA; the rest answer GENERIC, as the real library does
// for data it cannot read.
#define SKPM_FAIL_POINTS(X)                                                             \
    X(SUModelGetVersion, kDocumentOwner, SU_ERROR_GENERIC)                              \
    X(SUModelGetEntities, kDocumentOwner, SU_ERROR_GENERIC)                             \
    X(SUModelGetRenderingOptions, kDocumentOwner, SU_ERROR_GENERIC)                     \
    X(SUModelGetNumLayers, kDocumentOwner, SU_ERROR_GENERIC)                            \
    X(SUModelGetLayers, kDocumentOwner, SU_ERROR_GENERIC)                               \
    X(SUModelGetDefaultLayer, kDocumentOwner, SU_ERROR_GENERIC)                         \
    X(SUModelGetNumComponentDefinitions, kDocumentOwner, SU_ERROR_GENERIC)              \
    X(SUModelGetComponentDefinitions, kDocumentOwner, SU_ERROR_GENERIC)                 \
    X(SUModelGetNumGroupDefinitions, kDocumentOwner, SU_ERROR_GENERIC)                  \
    X(SUModelGetGroupDefinitions, kDocumentOwner, SU_ERROR_GENERIC)                     \
    X(SUModelGetNumMaterials, kDocumentOwner, SU_ERROR_GENERIC)                         \
    X(SUModelGetMaterials, kDocumentOwner, SU_ERROR_GENERIC)                            \
    X(SURenderingOptionsGetNumKeys, kDocumentOwner, SU_ERROR_GENERIC)                   \
    X(SURenderingOptionsGetKeys, kDocumentOwner, SU_ERROR_GENERIC)                      \
    X(SURenderingOptionsGetValue, kDocumentOwner, SU_ERROR_NO_DATA)                     \
    X(SUEntitiesGetNumFaces, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)       \
    X(SUEntitiesGetFaces, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)          \
    X(SUEntitiesGetNumGroups, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)      \
    X(SUEntitiesGetGroups, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)         \
    X(SUEntitiesGetNumInstances, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)   \
    X(SUEntitiesGetInstances, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)      \
    X(SUEntitiesGetNumImages, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)      \
    X(SUEntitiesGetImages, kDocumentOwner | kDefinitionOwner, SU_ERROR_GENERIC)         \
    X(SUEntityGetNumAttributeDictionaries, kEntityOwners, SU_ERROR_GENERIC)             \
    X(SUEntityGetAttributeDictionaries, kEntityOwners, SU_ERROR_GENERIC)                \
    X(SUAttributeDictionaryGetName, kMaterialOwner, SU_ERROR_GENERIC)                   \
    X(SUAttributeDictionaryGetNumKeys, kMaterialOwner, SU_ERROR_GENERIC)                \
    X(SUAttributeDictionaryGetKeys, kMaterialOwner, SU_ERROR_GENERIC)                   \
    X(SUAttributeDictionaryGetValue, kMaterialOwner, SU_ERROR_NO_DATA)                  \
    X(SUDrawingElementGetHidden, kElementOwners, SU_ERROR_GENERIC)                      \
    X(SUDrawingElementGetLayer, kElementOwners, SU_ERROR_GENERIC)                       \
    X(SUDrawingElementGetMaterial, kElementOwners, SU_ERROR_NO_DATA)                    \
    X(SUFaceGetNormal, kFaceOwner, SU_ERROR_GENERIC)                                    \
    X(SUFaceGetFrontMaterial, kFaceOwner, SU_ERROR_NO_DATA)                             \
    X(SUFaceGetBackMaterial, kFaceOwner, SU_ERROR_NO_DATA)                              \
    X(SUMeshHelperCreate, kFaceOwner, SU_ERROR_GENERIC)                                 \
    X(SUMeshHelperGetNumTriangles, kFaceOwner, SU_ERROR_GENERIC)                        \
    X(SUMeshHelperGetNumVertices, kFaceOwner, SU_ERROR_GENERIC)                         \
    X(SUMeshHelperGetVertexIndices, kFaceOwner, SU_ERROR_GENERIC)                       \
    X(SUMeshHelperGetVertices, kFaceOwner, SU_ERROR_GENERIC)                            \
    X(SUMeshHelperGetNormals, kFaceOwner, SU_ERROR_GENERIC)                             \
    X(SUMeshHelperGetFrontSTQCoords, kFaceOwner, SU_ERROR_GENERIC)                      \
    X(SUMeshHelperGetBackSTQCoords, kFaceOwner, SU_ERROR_GENERIC)                       \
    X(SUGroupGetEntities, kGroupOwner, SU_ERROR_GENERIC)                                \
    X(SUGroupGetTransform, kGroupOwner, SU_ERROR_GENERIC)                               \
    X(SUGroupGetDefinition, kGroupOwner, SU_ERROR_GENERIC)                              \
    X(SUComponentInstanceGetDefinition, kInstanceOwner | kImageOwner, SU_ERROR_GENERIC) \
    X(SUComponentInstanceGetTransform, kInstanceOwner | kImageOwner, SU_ERROR_GENERIC)  \
    X(SUImageGetTransform, kImageOwner, SU_ERROR_GENERIC)                               \
    X(SUComponentDefinitionGetName, kDefinitionOwner, SU_ERROR_GENERIC)                 \
    X(SUComponentDefinitionGetEntities, kDefinitionOwner, SU_ERROR_GENERIC)             \
    X(SULayerGetName, kLayerOwner, SU_ERROR_GENERIC)                                    \
    X(SULayerGetVisibility, kLayerOwner, SU_ERROR_GENERIC)                              \
    X(SULayerGetMaterial, kLayerOwner, SU_ERROR_NO_DATA)                                \
    X(SUMaterialGetName, kMaterialOwner, SU_ERROR_GENERIC)                              \
    X(SUMaterialGetNameLegacyBehavior, kMaterialOwner, SU_ERROR_GENERIC)                \
    X(SUMaterialGetType, kMaterialOwner, SU_ERROR_GENERIC)                              \
    X(SUMaterialGetColor, kMaterialOwner, SU_ERROR_NO_DATA)                             \
    X(SUMaterialGetTexture, kMaterialOwner, SU_ERROR_NO_DATA)                           \
    X(SUTextureGetDimensions, kTextureOwner, SU_ERROR_GENERIC)                          \
    X(SUTextureGetFileName, kTextureOwner, SU_ERROR_GENERIC)                            \
    X(SUTextureGetImageDataSize, kTextureOwner, SU_ERROR_GENERIC)                       \
    X(SUTextureGetImageRep, kTextureOwner, SU_ERROR_GENERIC)                            \
    X(SUTextureGetColorizedImageRep, kTextureOwner, SU_ERROR_GENERIC)

enum class FailPoint : uint8_t {
#define SKPM_FAIL_POINT_ENUM(name, owners, result) name,
    SKPM_FAIL_POINTS(SKPM_FAIL_POINT_ENUM)
#undef SKPM_FAIL_POINT_ENUM
        kCount
};

// The set of functions that fail on one object. A disarmed set still lists them, but none fails.
class FailSet {
public:
    void Add(FailPoint point) { bits_.set(static_cast<size_t>(point)); }
    void Disarm() { armed_ = false; }
    bool Has(FailPoint point) const { return bits_.test(static_cast<size_t>(point)); }
    // SU_ERROR_NONE when `point` is not in the set or the set is disarmed, else what the function
    // answers.
    SUResult Check(FailPoint point) const;

private:
    std::bitset<static_cast<size_t>(FailPoint::kCount)> bits_;
    bool armed_ = true;
};

std::optional<FailPoint> FindFailPoint(std::string_view functionName);
// The function's name, NUL-terminated and valid for the life of the program.
const char* FailPointName(FailPoint point);
bool FailPointAppliesTo(FailPoint point, FailOwner owner);

}  // namespace skpm
