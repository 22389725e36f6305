#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/face.h>
#include <SketchUpAPI/model/image.h>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_group.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "EntityLists.h"
#include "SkpReader.h"

namespace Importing {

namespace {

using DirectX::XMMATRIX;

// Calls `visit(i)` for every i below `count`, spread over the workers.
template <typename Visit>
void ForEachElement(size_t count, const Visit& visit) {
    tbb::parallel_for(tbb::blocked_range<size_t>(0, count),
                      [&](const tbb::blocked_range<size_t>& range) {
                          for (size_t i = range.begin(); i != range.end(); ++i) visit(i);
                      });
}

}  // namespace

// Up to four tasks per collection, one per kind of element, each spreading its elements over the
// workers. The faces are placed as one visit: the collection's face plan for this material and
// level, with this transform. Returns when everything below has been placed.
void SkpReader::TreeAddEntities(SUEntitiesRef entities, XMMATRIX transform, SUMaterialRef material,
                                bool topLevel) {
    uint64_t first = VisitSlotHandOver::Take();
    const size_t instanceCount = CountOrZero(SUEntitiesGetNumInstances, entities);
    const size_t groupCount = CountOrZero(SUEntitiesGetNumGroups, entities);
    const size_t faceCount = CountOrZero(SUEntitiesGetNumFaces, entities);
    const size_t imageCount = CountOrZero(SUEntitiesGetNumImages, entities);
    if (instanceCount + groupCount + faceCount + imageCount == 0) return;
    // Where this visit and those below it go. A collection without a layout holds faces only
    // and takes one slot. Without a slot (a call from outside the prepared walk) the visits are
    // appended, in no fixed order.
    const VisitLayout* layout =
        first != VisitLayout::kNoSlot ? visitLayouts.Find(entities, topLevel) : nullptr;
    const uint64_t slots = layout != nullptr ? layout->slots : (faceCount != 0 ? 1 : 0);
    if (slots > visits.size() - std::min(first, visits.size())) {
        first = VisitLayout::kNoSlot;  // a slot that does not fit this collection
        layout = nullptr;
    }
    const bool ownSlot =
        first != VisitLayout::kNoSlot && faceCount != 0 && (layout == nullptr || layout->ownSlot);
    const auto childSlot = [&](VisitLayout::Kind kind, size_t i) {
        return layout != nullptr ? layout->ChildSlot(first, kind, i) : VisitLayout::kNoSlot;
    };

    // Each kind's elements are walked in a parallel loop too: a wide collection (a city's
    // thousands of placements) keeps every worker busy.
    tbb::task_group tasks;
    if (instanceCount != 0) {
        tasks.run([&] {
            const std::vector<SUComponentInstanceRef> instances =
                FetchAll<SUComponentInstanceRef>(entities, instanceCount, SUEntitiesGetInstances);
            ForEachElement(instances.size(), [&](size_t i) {
                const VisitSlotHandOver slot(childSlot(VisitLayout::kInstance, i));
                TreeAddInstance(instances[i], transform, material, topLevel);
            });
        });
    }
    if (groupCount != 0) {
        tasks.run([&] {
            const std::vector<SUGroupRef> groups =
                FetchAll<SUGroupRef>(entities, groupCount, SUEntitiesGetGroups);
            ForEachElement(groups.size(), [&](size_t i) {
                const VisitSlotHandOver slot(childSlot(VisitLayout::kGroup, i));
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
                const VisitSlotHandOver slot(childSlot(VisitLayout::kImage, i));
                TreeAddInstance(SUComponentInstanceRef{images[i].ptr}, transform, material,
                                topLevel);
            });
        });
    }
    if (faceCount != 0) {
        tasks.run([&] {
            const SkpFacePlan& plan = PlanFaces(entities, faceCount, material, topLevel);
            if (plan.sides.empty()) return;
            const SkpVisit visit{SkpPlacement(transform), &plan};
            if (ownSlot) {
                visits[first] = visit;
            } else {
                visits.push_back(visit);
            }
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
    if (!ChildEntities(group, children)) throw std::exception();

    const SUMaterialRef own = OwnMaterial(element);
    const XMMATRIX placed = GetTransform(SUGroupToEntity(group)) * transform;
    TreeAddEntities(children, placed, own.ptr != nullptr ? own : material, false);
}

void SkpReader::TreeAddInstance(SUComponentInstanceRef instance, XMMATRIX transform,
                                SUMaterialRef material, bool topLevel) {
    const SUDrawingElementRef element = SUComponentInstanceToDrawingElement(instance);
    if (IsHidden(element, topLevel)) return;
    SUEntitiesRef children = SU_INVALID;
    if (!ChildEntities(instance, children)) throw std::exception();

    const SUMaterialRef own = OwnMaterial(element);
    const XMMATRIX placed = GetTransform(SUComponentInstanceToEntity(instance)) * transform;
    TreeAddEntities(children, placed, own.ptr != nullptr ? own : material, false);
}

}  // namespace Importing
