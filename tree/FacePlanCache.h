#pragma once

#include <oneapi/tbb/collaborative_call_once.h>
#include <oneapi/tbb/concurrent_unordered_map.h>
#include <oneapi/tbb/concurrent_vector.h>

#include <cstddef>
#include <functional>
#include <memory>

#include "SkpFacePlan.h"

namespace Importing {

// The face plans of one load, one per collection, inherited material and top-level flag, each
// made once by whichever visit needs it first while the others that need it at the same moment
// help or wait. Plans never move once made: visits point at them.
class FacePlanCache {
public:
    struct Key {
        void* entities;
        void* material;
        bool topLevel;
        bool operator==(const Key&) const = default;
    };

    // The plan for `key`, made by `make` if there is none yet.
    template <typename Make>
    const SkpFacePlan& PlanFor(const Key& key, const Make& make) {
        auto found = plans_.find(key);
        if (found == plans_.end()) found = plans_.emplace(key, std::make_unique<Entry>()).first;
        Entry& entry = *found->second;
        tbb::collaborative_call_once(entry.once, [&] { entry.plan = make(); });
        return entry.plan;
    }

    // A plan that belongs to no collection (a face placed on its own); kept until `Clear`.
    const SkpFacePlan& Keep(SkpFacePlan plan) { return *loose_.push_back(std::move(plan)); }

    // Every plan made, in no particular order; only while nothing is being added.
    template <typename Visit>
    void ForEach(const Visit& visit) {
        for (auto& [key, entry] : plans_) visit(entry->plan);
        for (SkpFacePlan& plan : loose_) visit(plan);
    }

    bool empty() const { return plans_.empty() && loose_.empty(); }
    void Clear() {
        plans_.clear();
        loose_.clear();
        loose_.shrink_to_fit();
    }

private:
    struct Entry {
        tbb::collaborative_once_flag once;
        SkpFacePlan plan;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            const std::hash<void*> hash;
            return hash(key.entities) * 31 + hash(key.material) * 7 + (key.topLevel ? 1 : 0);
        }
    };

    tbb::concurrent_unordered_map<Key, std::unique_ptr<Entry>, KeyHash> plans_;
    tbb::concurrent_vector<SkpFacePlan> loose_;
};

}  // namespace Importing
