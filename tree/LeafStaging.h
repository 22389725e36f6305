#pragma once

#include <DirectXMath.h>
#include <oneapi/tbb/enumerable_thread_specific.h>

#include <unordered_map>
#include <vector>

#include "MaterialLeafMap.h"

namespace Importing {

// Gathers the walk's leaf records per worker thread and hands them to the shared lists in blocks,
// so that a placed face costs no shared write: a worker touches a list's shared counter once per
// block. Also keeps, per worker, the placement it made last, which the faces of one collection
// share. Nothing here is shared between workers until `FlushAll`, which runs when no worker adds.
class LeafStaging {
public:
    static constexpr std::size_t kBlock = 128;  // leaf records per hand-over

    // The placement for `transform`: the worker's last one when it is the same matrix, else a new
    // one appended to `placements`.
    const SkpPlacement* PlacementFor(const DirectX::XMMATRIX& transform, PlacementList& placements);

    void Add(void* materialKey, const SkpLeafNode& leaf, MaterialLeafMap& leaves);

    // Hands every worker's remaining records to `leaves`.
    void FlushAll(MaterialLeafMap& leaves);

    // Drops whatever is staged (after a failed load) and the remembered placements.
    void Clear();

private:
    struct Pending {
        void* materialKey;
        std::vector<SkpLeafNode> block;
    };
    // A worker's blocks, one per material it has seen. Few materials are found by a short scan;
    // beyond that by the index.
    struct Worker {
        static constexpr std::size_t kScanned = 16;

        std::vector<SkpLeafNode>& BlockOf(void* materialKey);

        const SkpPlacement* lastPlacement = nullptr;
        std::vector<Pending> pending;
        std::unordered_map<void*, std::size_t> index;  // used once there are more than kScanned
    };
    using Workers = tbb::enumerable_thread_specific<Worker, tbb::cache_aligned_allocator<Worker>,
                                                    tbb::ets_key_per_instance>;

    static void HandOver(void* materialKey, std::vector<SkpLeafNode>& block,
                         MaterialLeafMap& leaves);

    Workers workers;
};

}  // namespace Importing
