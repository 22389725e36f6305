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

std::vector<SkpLeafNode>& LeafStaging::Worker::BlockOf(void* materialKey) {
    if (pending.size() <= kScanned) {
        for (Pending& entry : pending) {
            if (entry.materialKey == materialKey) return entry.block;
        }
    } else if (const auto found = index.find(materialKey); found != index.end()) {
        return pending[found->second].block;
    }
    std::vector<SkpLeafNode> block;
    block.reserve(kBlock);
    pending.push_back(Pending{materialKey, std::move(block)});
    if (pending.size() > kScanned) {
        if (index.empty()) {
            for (std::size_t i = 0; i < pending.size(); ++i) index[pending[i].materialKey] = i;
        } else {
            index[materialKey] = pending.size() - 1;
        }
    }
    return pending.back().block;
}

void LeafStaging::Add(void* materialKey, const SkpLeafNode& leaf, MaterialLeafMap& leaves) {
    std::vector<SkpLeafNode>& block = workers.local().BlockOf(materialKey);
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
        for (Pending& entry : worker.pending) {
            if (!entry.block.empty()) HandOver(entry.materialKey, entry.block, leaves);
        }
    }
}

void LeafStaging::Clear() {
    workers.clear();
}

}  // namespace Importing
