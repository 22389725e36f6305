#include "VisitLayout.h"

#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/image.h>

#include "EntityLists.h"
#include "SkpReader.h"

namespace Importing {

uint64_t VisitLayout::ChildSlot(uint64_t first, Kind kind, std::size_t i) const {
    if (first == kNoSlot || i >= counts[kind]) return kNoSlot;
    std::size_t element = i;
    for (int k = 0; k < kind; ++k) element += counts[k];
    return first + childOffsets[element];
}

const VisitLayout* VisitLayouts::Find(SUEntitiesRef entities, bool topLevel) const {
    const auto found = layouts_.find(Key{entities.ptr, topLevel});
    return found != layouts_.end() ? &found->second : nullptr;
}

VisitLayout& VisitLayouts::Add(SUEntitiesRef entities, bool topLevel, VisitLayout layout) {
    return layouts_.insert_or_assign(Key{entities.ptr, topLevel}, std::move(layout)).first->second;
}

namespace {

// Appends the elements of one kind to `layout`: each one's subtree starts where the previous
// ended; a hidden element, or one whose entities cannot be had, has none (the walk places
// nothing below it, or stops there).
template <typename Ref, typename Hidden, typename LayOut>
void LayOutKind(VisitLayout& layout, VisitLayout::Kind kind, const std::vector<Ref>& elements,
                const Hidden& hidden, const LayOut& layOut) {
    layout.counts[kind] = elements.size();
    for (const Ref element : elements) {
        layout.childOffsets.push_back(layout.slots);
        SUEntitiesRef children = SU_INVALID;
        if (!hidden(element) && ChildEntities(element, children)) layout.slots += layOut(children);
    }
}

}  // namespace

// Depth first, each collection once per top-level flag: the number of visits below it. A
// collection without instances, groups and images (most of them) needs no layout: it takes one
// slot when it has faces.
uint64_t SkpReader::LayOutVisits(SUEntitiesRef entities, bool topLevel) {
    if (const VisitLayout* known = visitLayouts.Find(entities, topLevel)) return known->slots;
    const bool ownSlot = CountOrZero(SUEntitiesGetNumFaces, entities) != 0;
    if (CountOrZero(SUEntitiesGetNumInstances, entities) +
            CountOrZero(SUEntitiesGetNumGroups, entities) +
            CountOrZero(SUEntitiesGetNumImages, entities) ==
        0) {
        return ownSlot ? 1 : 0;
    }

    VisitLayout layout;
    layout.ownSlot = ownSlot;
    layout.slots = ownSlot ? 1 : 0;
    const auto below = [&](SUEntitiesRef children) { return LayOutVisits(children, false); };
    LayOutKind(
        layout, VisitLayout::kInstance,
        FetchAll<SUComponentInstanceRef>(entities, CountOrZero(SUEntitiesGetNumInstances, entities),
                                         SUEntitiesGetInstances),
        [&](SUComponentInstanceRef instance) {
            return IsHidden(SUComponentInstanceToDrawingElement(instance), topLevel);
        },
        below);
    LayOutKind(
        layout, VisitLayout::kGroup,
        FetchAll<SUGroupRef>(entities, CountOrZero(SUEntitiesGetNumGroups, entities),
                             SUEntitiesGetGroups),
        [&](SUGroupRef group) { return IsHidden(SUGroupToDrawingElement(group), topLevel); },
        below);
    std::vector<SUComponentInstanceRef> images;
    for (SUImageRef image : FetchAll<SUImageRef>(
             entities, CountOrZero(SUEntitiesGetNumImages, entities), SUEntitiesGetImages)) {
        images.push_back(SUComponentInstanceRef{image.ptr});
    }
    LayOutKind(
        layout, VisitLayout::kImage, images,
        [&](SUComponentInstanceRef image) {
            return IsHidden(SUComponentInstanceToDrawingElement(image), topLevel);
        },
        below);
    return visitLayouts.Add(entities, topLevel, std::move(layout)).slots;
}

void SkpReader::PrepareWalk(SUEntitiesRef root) {
    visitLayouts.Clear();
    visits.clear();
    visits.grow_to_at_least(LayOutVisits(root, true));
}

}  // namespace Importing
