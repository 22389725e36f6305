#include "model_memory.h"

#include <SketchUpAPI/sketchup.h>
#include <skpm/document_error.h>
#include <su_objects.h>

#include <chrono>
#include <map>
#include <stdexcept>
#include <vector>

#include "memory.h"

namespace bench {
namespace {

void Check(SUResult result, const char* call) {
    if (result != SU_ERROR_NONE)
        throw std::runtime_error(std::string(call) + " failed (" + std::to_string(result) + ")");
}

bool Hidden(SUDrawingElementRef element) {
    bool hidden = false;
    Check(SUDrawingElementGetHidden(element, &hidden), "SUDrawingElementGetHidden");
    return hidden;
}

// Faces of one entities list counted with its placements; definitions are shared, so their
// counts are kept by entities list.
class PlacedFaceCounter {
public:
    uint64_t Count(SUEntitiesRef entities) {
        if (const auto found = counts_.find(entities.ptr); found != counts_.end())
            return found->second;
        uint64_t total = OwnFaces(entities);
        size_t n = 0;
        Check(SUEntitiesGetNumInstances(entities, &n), "SUEntitiesGetNumInstances");
        std::vector<SUComponentInstanceRef> instances(n, SU_INVALID);
        if (n > 0) Check(SUEntitiesGetInstances(entities, n, instances.data(), &n), "GetInstances");
        for (const SUComponentInstanceRef instance : instances) {
            if (Hidden(SUComponentInstanceToDrawingElement(instance))) continue;
            SUComponentDefinitionRef definition = SU_INVALID;
            Check(SUComponentInstanceGetDefinition(instance, &definition), "GetDefinition");
            SUEntitiesRef inner = SU_INVALID;
            Check(SUComponentDefinitionGetEntities(definition, &inner), "GetEntities");
            total += Count(inner);
        }
        Check(SUEntitiesGetNumGroups(entities, &n), "SUEntitiesGetNumGroups");
        std::vector<SUGroupRef> groups(n, SU_INVALID);
        if (n > 0) Check(SUEntitiesGetGroups(entities, n, groups.data(), &n), "GetGroups");
        for (const SUGroupRef group : groups) {
            if (Hidden(SUGroupToDrawingElement(group))) continue;
            SUEntitiesRef inner = SU_INVALID;
            Check(SUGroupGetEntities(group, &inner), "SUGroupGetEntities");
            total += Count(inner);
        }
        return counts_[entities.ptr] = total;
    }

private:
    static uint64_t OwnFaces(SUEntitiesRef entities) {
        size_t n = 0;
        Check(SUEntitiesGetNumFaces(entities, &n), "SUEntitiesGetNumFaces");
        std::vector<SUFaceRef> faces(n, SU_INVALID);
        if (n > 0) Check(SUEntitiesGetFaces(entities, n, faces.data(), &n), "GetFaces");
        uint64_t visible = 0;
        for (const SUFaceRef face : faces) visible += Hidden(SUFaceToDrawingElement(face)) ? 0 : 1;
        return visible;
    }

    std::map<void*, uint64_t> counts_;
};

}  // namespace

uint64_t CountPlacedFaces(SUEntitiesRef entities) {
    return PlacedFaceCounter().Count(entities);
}

Record MeasureModelInMemory(const std::string& modelPath) {
    const suobjects::Library library;
    Record record;
    const uint64_t before = CurrentResidentBytes();
    record.Set("rss before bytes", double(before));
    const auto start = std::chrono::steady_clock::now();
    const suobjects::Model model(modelPath.c_str());
    if (model.result() != SU_ERROR_NONE) {
        const char* reason = SKPMGetLastOpenError();
        throw std::runtime_error("cannot open " + modelPath + ": " + (reason ? reason : "?"));
    }
    const std::chrono::duration<double> open = std::chrono::steady_clock::now() - start;
    const uint64_t after = CurrentResidentBytes();
    record.Set("open s", open.count());
    record.Set("rss growth bytes", double(after > before ? after - before : 0));
    record.Set("peak bytes", double(PeakResidentBytes()));
    SUEntitiesRef entities = SU_INVALID;
    Check(SUModelGetEntities(model.get(), &entities), "SUModelGetEntities");
    record.Set("placed faces", double(CountPlacedFaces(entities)));
    return record;
}

}  // namespace bench
