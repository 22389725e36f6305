#include <Importing/Material.h>
#include <SketchUpAPI/model/attribute_dictionary.h>
#include <SketchUpAPI/model/entity.h>
#include <SketchUpAPI/model/material.h>

#include <vector>

#include "MaterialClassification.h"
#include "MaterialText.h"
#include "SketchUpObjects.h"
#include "SkpMaterialTable.h"

namespace Importing {

namespace {

constexpr char16_t kSettingsDictionary[] = u"Kaleth Material Settings";
constexpr char kLibraryIdKey[] = "KalethLibraryId";
constexpr char kSurfaceTypeKey[] = "SurfaceTypeId";

std::vector<SUAttributeDictionaryRef> AttributeDictionaries(SUMaterialRef material) {
    const SUEntityRef entity = SUMaterialToEntity(material);
    size_t count = 0;
    if (SUEntityGetNumAttributeDictionaries(entity, &count) != SU_ERROR_NONE || count == 0) {
        return {};
    }
    std::vector<SUAttributeDictionaryRef> dictionaries(count, SUAttributeDictionaryRef{});
    size_t fetched = 0;
    if (SUEntityGetAttributeDictionaries(entity, count, dictionaries.data(), &fetched) !=
        SU_ERROR_NONE) {
        return {};
    }
    if (fetched < count) dictionaries.resize(fetched);
    return dictionaries;
}

// Reads the settings dictionary into the record: a library id when there is one, else a surface
// type. A value of another type than expected leaves the record as it was.
void ReadSettings(SUAttributeDictionaryRef dictionary, SkpMaterialInfo& record) {
    SketchUpTypedValue value;
    if (!value.IsValid()) return;
    if (SUAttributeDictionaryGetValue(dictionary, kLibraryIdKey, &value.ref) == SU_ERROR_NONE) {
        SketchUpString text;
        if (SUTypedValueGetString(value.ref, &text.ref) == SU_ERROR_NONE) {
            record.libraryId = ToWString(text.ref);
        }
    } else if (SUAttributeDictionaryGetValue(dictionary, kSurfaceTypeKey, &value.ref) ==
               SU_ERROR_NONE) {
        int32_t surfaceType = 0;
        if (SUTypedValueGetInt32(value.ref, &surfaceType) == SU_ERROR_NONE) {
            record.surfaceType = surfaceType;
        }
    }
}

}  // namespace

void SkpMaterialTable::InitSurfaceType(SkpMaterialInfo& record) {
    record.surfaceType = SURFACE_ORDINARY;
    if (ContainsKeyword(record.name, WaterKeywords())) {
        record.surfaceType = SURFACE_WATER;
    } else if (ContainsKeyword(record.name, GlassKeywords()) && !(record.opacity == 1.0f)) {
        record.surfaceType = SURFACE_GLASS;
    }
    record.libraryId.clear();

    // Only the first dictionary of that exact name counts.
    for (SUAttributeDictionaryRef dictionary : AttributeDictionaries(record.material)) {
        SketchUpString name;
        SUAttributeDictionaryGetName(dictionary, &name.ref);
        if (ToWString(name.ref) != kSettingsDictionary) continue;
        ReadSettings(dictionary, record);
        break;
    }

    // An opaque material is never glass, whatever the dictionary says.
    if (record.opacity == 1.0f && record.surfaceType == SURFACE_GLASS) {
        record.surfaceType = SURFACE_ORDINARY;
    }
}

}  // namespace Importing
