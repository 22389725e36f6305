#include "SkpMaterialTable.h"

#include <windows.h>

#include <utility>

#include "MaterialClassification.h"
#include "PathText.h"

namespace Importing {

SkpMaterialTable::SkpMaterialTable()
    : namePrefix(NamePrefixForLanguage(GetSystemDefaultUILanguage())), tempFolder(GetTempFolder()) {
    defaultMaterial.name = u"Default material";
}

// The queue and the worker belong to the source: its worker exports the records it was given.
SkpMaterialTable::SkpMaterialTable(const SkpMaterialTable& other)
    : records(other.records),
      counter(other.counter),
      defaultMaterial(other.defaultMaterial),
      namePrefix(other.namePrefix),
      tempFolder(other.tempFolder),
      scene(other.scene) {}

SkpMaterialTable::~SkpMaterialTable() {
    StopTextureWorker();
}

void SkpMaterialTable::Reset() {
    // Queued records point into `records`: a worker still running must finish with them first.
    StopTextureWorker();
    records.clear();
    defaultMaterial.materialId = -1;
    defaultMaterial.textureId = -1;
    defaultMaterial.geometry = nullptr;  // it belonged to the previous load's scene
}

SkpMaterialInfo* SkpMaterialTable::FindMaterial(SUMaterialRef material) {
    return const_cast<SkpMaterialInfo*>(std::as_const(*this).FindMaterial(material));
}

// Only reads: called from many threads at once while nothing changes the table.
const SkpMaterialInfo* SkpMaterialTable::FindMaterial(SUMaterialRef material) const {
    if (SUIsInvalid(material)) return &defaultMaterial;
    const auto found = records.find(material);
    return found == records.end() ? &defaultMaterial : &found->second;
}

}  // namespace Importing
