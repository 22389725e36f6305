#include "SkpLeafNode.h"

#include <oneapi/tbb/scalable_allocator.h>

#include <new>

namespace Importing {

void* SkpLeafNode::operator new(std::size_t size) {
    if (void* memory = scalable_aligned_malloc(size, alignof(SkpLeafNode))) return memory;
    throw std::bad_alloc();
}

void SkpLeafNode::operator delete(void* pointer) noexcept {
    scalable_aligned_free(pointer);
}

}  // namespace Importing
