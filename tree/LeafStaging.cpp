#include "LeafStaging.h"

#include <cstring>

namespace Importing {

const SkpPlacement* LeafStaging::PlacementFor(const DirectX::XMMATRIX& transform,
                                              PlacementList& placements) {
    Worker& worker = workers.local();
    const SkpPlacement* last = worker.lastPlacement;
    if (last == nullptr || std::memcmp(&last->transform, &transform, sizeof(transform)) != 0) {
        last = &*placements.emplace_back(transform);
        worker.lastPlacement = last;
    }
    return last;
}

void LeafStaging::Add(void* materialKey, const SkpLeafNode& leaf, MaterialLeafMap& leaves) {
    std::vector<SkpLeafNode>& block = workers.local().pending[materialKey];
    if (block.capacity() < kBlock) block.reserve(kBlock);
    block.push_back(leaf);
    if (block.size() == kBlock) HandOver(materialKey, block, leaves);
}

void LeafStaging::HandOver(void* materialKey, std::vector<SkpLeafNode>& block,
                           MaterialLeafMap& leaves) {
    auto entry = leaves.find(materialKey);
    if (entry == leaves.end()) entry = leaves.emplace(materialKey, LeafList()).first;
    entry->second.grow_by(block.begin(), block.end());
    block.clear();
}

void LeafStaging::FlushAll(MaterialLeafMap& leaves) {
    for (Worker& worker : workers) {
        for (auto& [key, block] : worker.pending) {
            if (!block.empty()) HandOver(key, block, leaves);
        }
    }
}

void LeafStaging::Clear() {
    workers.clear();
}

}  // namespace Importing
