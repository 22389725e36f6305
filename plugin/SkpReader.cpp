#include "SkpReader.h"

#include <SketchUpAPI/initialize.h>

#include <new>

namespace Importing {

namespace {

// Empties a table and gives it back its first 8 buckets. Also runs on the way out of a load that
// ran out of memory: if even the fresh buckets cannot be had, the table stays empty as it is.
template <typename Table>
void EmptyTable(Table& table) {
    table.clear();
    try {
        Table fresh(8);
        fresh.max_load_factor(1.0f);
        table.swap(fresh);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace

SkpReader::SkpReader() : layerInfos(8), faceInfos(8) {
    layerInfos.max_load_factor(1.0f);
    faceInfos.max_load_factor(1.0f);
}

// Handles are copied as they are: the copy shares the container and the model handles with its
// source. The material table copies its records but never its source's texture worker; the
// walk's records (layouts, face plans, visits) belong to one load and are not copied.
SkpReader::SkpReader(const SkpReader& other)
    : Zel_Channel(other),
      unitScale(other.unitScale),
      geometryLimit(other.geometryLimit),
      report(other.report),
      sceneContainer(other.sceneContainer),
      materials(other.materials),
      model(other.model),
      defaultLayer(other.defaultLayer),
      materialsByLayer(other.materialsByLayer),
      layerInfos(other.layerInfos),
      faceInfos(other.faceInfos),
      doubleSided(other.doubleSided) {}

SkpReader::~SkpReader() = default;

std::u16string SkpReader::GetRaport() {
    return report;
}

int SkpReader::Init() {
    try {
        SUInitialize();
    } catch (...) {
        return -1;
    }
    return 0;
}

int SkpReader::Release() {
    SUTerminate();
    return 0;
}

void SkpReader::Clear() {
    model = SU_INVALID;
    defaultLayer = SU_INVALID;
    materialsByLayer = false;
    doubleSided = true;
    materials.Reset();
    EmptyTable(layerInfos);
    EmptyTable(faceInfos);
}

void SkpReader::LoadConfigValues(const std::u16string& /*config*/) {}

}  // namespace Importing
