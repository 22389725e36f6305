#pragma once

#include <SketchUpAPI/model/defs.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace Importing {

// Where the visits below one collection go in the walk's order. Below the top level every
// collection is walked with the top-level flag false, and what is hidden there depends on the
// element alone, so each visit of a collection has a subtree of the same shape: its layout is
// worked out once and holds for all of them. A visit's own slot comes first (when the collection
// has faces), then the subtrees of its instances, groups and images in that order. Collections
// with faces only have no layout: they take one slot.
struct VisitLayout {
    enum Kind { kInstance, kGroup, kImage };

    uint64_t slots = 0;                  // the visits of the subtree, this one included
    bool ownSlot = false;                // the collection has faces: its visit takes the first slot
    std::size_t counts[3] = {0, 0, 0};   // elements of each kind, as fetched
    std::vector<uint64_t> childOffsets;  // per element, kinds in order: its subtree's first
                                         // slot counted from the visit's first slot

    // The first slot of element `i` of `kind` below a visit whose first slot is `first`;
    // kNoSlot when the layout does not know the element.
    uint64_t ChildSlot(uint64_t first, Kind kind, std::size_t i) const;

    static constexpr uint64_t kNoSlot = UINT64_MAX;
};

// The layouts of one load's collections, filled before the walk and only read during it.
class VisitLayouts {
public:
    const VisitLayout* Find(SUEntitiesRef entities, bool topLevel) const;
    VisitLayout& Add(SUEntitiesRef entities, bool topLevel, VisitLayout layout);
    bool empty() const { return layouts_.empty(); }
    void Clear() { layouts_.clear(); }

private:
    struct Key {
        void* entities;
        bool topLevel;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            return std::hash<void*>()(key.entities) * 2 + (key.topLevel ? 1 : 0);
        }
    };
    std::unordered_map<Key, VisitLayout, KeyHash> layouts_;
};

// Hands a visit's first slot from the walk's loop to the collection's `TreeAddEntities`, whose
// arguments have no room for it. Set on the worker that makes the call, right before it, and
// taken at the start of the callee, with no task switch in between.
class VisitSlotHandOver {
public:
    explicit VisitSlotHandOver(uint64_t slot) { next_ = slot; }
    ~VisitSlotHandOver() { next_ = VisitLayout::kNoSlot; }
    VisitSlotHandOver(const VisitSlotHandOver&) = delete;
    VisitSlotHandOver& operator=(const VisitSlotHandOver&) = delete;

    // The slot handed over to this call, or kNoSlot when the caller is not the prepared walk.
    static uint64_t Take() {
        const uint64_t slot = next_;
        next_ = VisitLayout::kNoSlot;
        return slot;
    }

private:
    static inline thread_local uint64_t next_ = VisitLayout::kNoSlot;
};

}  // namespace Importing
