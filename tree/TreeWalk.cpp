#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/entities.h>
#include <SketchUpAPI/model/group.h>
#include <SketchUpAPI/model/image.h>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_group.h>

#include <exception>
#include <vector>

#include "SkpReader.h"

namespace Importing {

namespace {

using DirectX::XMMATRIX;

// Fetches a collection's elements of one kind; empty when the fetch fails.
template <typename Ref, typename Getter>
std::vector<Ref> FetchAll(SUEntitiesRef entities, size_t count, Getter getter) {
    std::vector<Ref> list(count, Ref SU_INVALID);
    size_t fetched = 0;
    if (getter(entities, count, list.data(), &fetched) != SU_ERROR_NONE) return {};
    list.resize(std::min(fetched, count));
    return list;
}

// Faces are cheap to place: fewer than this many are not worth a task of their own.
constexpr size_t kFacesPerTask = 32;

// Calls `visit(i)` for every i below `count`, spread over the workers.
template <typename Visit>
void ForEachElement(size_t count, const Visit& visit) {
    tbb::parallel_for(tbb::blocked_range<size_t>(0, count),
                      [&](const tbb::blocked_range<size_t>& range) {
                          for (size_t i = range.begin(); i != range.end(); ++i) visit(i);
                      });
}

size_t CountOrZero(SUResult (*counter)(SUEntitiesRef, size_t*), SUEntitiesRef entities) {
    size_t count = 0;
    return counter(entities, &count) == SU_ERROR_NONE ? count : 0;
}

}  // namespace

// Up to four tasks per collection, one per kind of element, each spreading its elements over the
// workers. Returns when everything below has been placed.
void SkpReader::TreeAddEntities(SUEntitiesRef entities, XMMATRIX transform, SUMaterialRef material,
                                bool topLevel) {
    const size_t instanceCount = CountOrZero(SUEntitiesGetNumInstances, entities);
    const size_t groupCount = CountOrZero(SUEntitiesGetNumGroups, entities);
    const size_t faceCount = CountOrZero(SUEntitiesGetNumFaces, entities);
    const size_t imageCount = CountOrZero(SUEntitiesGetNumImages, entities);
    if (instanceCount + groupCount + faceCount + imageCount == 0) return;

    // Each kind's elements are walked in a parallel loop too: a wide collection (a city's
    // thousands of placements) keeps every worker busy, not only the faces of each placement.
    tbb::task_group tasks;
    if (instanceCount != 0) {
        tasks.run([&] {
            const std::vector<SUComponentInstanceRef> instances =
                FetchAll<SUComponentInstanceRef>(entities, instanceCount, SUEntitiesGetInstances);
            ForEachElement(instances.size(), [&](size_t i) {
                TreeAddInstance(instances[i], transform, material, topLevel);
            });
        });
    }
    if (groupCount != 0) {
        tasks.run([&] {
            const std::vector<SUGroupRef> groups =
                FetchAll<SUGroupRef>(entities, groupCount, SUEntitiesGetGroups);
            ForEachElement(groups.size(), [&](size_t i) {
                TreeAddGroup(groups[i], transform, material, topLevel);
            });
        });
    }
    if (imageCount != 0) {
        tasks.run([&] {
            const std::vector<SUImageRef> images =
                FetchAll<SUImageRef>(entities, imageCount, SUEntitiesGetImages);
            // An image is walked as the component instance it is inside SketchUp.
            ForEachElement(images.size(), [&](size_t i) {
                TreeAddInstance(SUComponentInstanceRef{images[i].ptr}, transform, material,
                                topLevel);
            });
        });
    }
    if (faceCount != 0) {
        tasks.run([&] {
            const std::vector<SUFaceRef> faces =
                FetchAll<SUFaceRef>(entities, faceCount, SUEntitiesGetFaces);
            tbb::parallel_for(tbb::blocked_range<size_t>(0, faces.size(), kFacesPerTask),
                              [&](const tbb::blocked_range<size_t>& range) {
                                  for (size_t i = range.begin(); i != range.end(); ++i) {
                                      TreeAddFace(faces[i], transform, material, topLevel);
                                  }
                              });
        });
    }
    tasks.wait();
}

// The material an element hands down, before falling back to the inherited one.
SUMaterialRef SkpReader::OwnMaterial(SUDrawingElementRef element) const {
    SUMaterialRef own = SU_INVALID;
    if (!materialsByLayer) {
        if (SUDrawingElementGetMaterial(element, &own) != SU_ERROR_NONE) own = SU_INVALID;
        return own;
    }
    SULayerRef layer = SU_INVALID;
    SUDrawingElementGetLayer(element, &layer);
    if (layer.ptr == defaultLayer.ptr) return own;
    const auto found = layerInfos.find(layer);
    return found != layerInfos.end() ? found->second.material : own;
}

void SkpReader::TreeAddGroup(SUGroupRef group, XMMATRIX transform, SUMaterialRef material,
                             bool topLevel) {
    const SUDrawingElementRef element = SUGroupToDrawingElement(group);
    if (IsHidden(element, topLevel)) return;
    SUEntitiesRef children = SU_INVALID;
    if (SUGroupGetEntities(group, &children) != SU_ERROR_NONE) throw std::exception();

    const SUMaterialRef own = OwnMaterial(element);
    const XMMATRIX placed = GetTransform(SUGroupToEntity(group)) * transform;
    TreeAddEntities(children, placed, own.ptr != nullptr ? own : material, false);
}

void SkpReader::TreeAddInstance(SUComponentInstanceRef instance, XMMATRIX transform,
                                SUMaterialRef material, bool topLevel) {
    const SUDrawingElementRef element = SUComponentInstanceToDrawingElement(instance);
    if (IsHidden(element, topLevel)) return;
    SUComponentDefinitionRef definition = SU_INVALID;
    SUEntitiesRef children = SU_INVALID;
    if (SUComponentInstanceGetDefinition(instance, &definition) != SU_ERROR_NONE ||
        SUComponentDefinitionGetEntities(definition, &children) != SU_ERROR_NONE) {
        throw std::exception();
    }

    const SUMaterialRef own = OwnMaterial(element);
    const XMMATRIX placed = GetTransform(SUComponentInstanceToEntity(instance)) * transform;
    TreeAddEntities(children, placed, own.ptr != nullptr ? own : material, false);
}

}  // namespace Importing
