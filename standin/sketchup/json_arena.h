// The memory of one parsed document. Every node of its DOM comes from the arena of the thread
// that parses it and is freed all at once when the document is done with, instead of node by node
// (a 100,000-face document has millions of nodes).
#pragma once

#include <cstddef>
#include <memory_resource>

namespace skpm {

// While alive, DOM allocations on this thread come from it. The DOM must be destroyed before
// the arena (declare the arena first) and must not be copied to other threads.
class JsonArena {
public:
    JsonArena();
    ~JsonArena();
    JsonArena(const JsonArena&) = delete;
    JsonArena& operator=(const JsonArena&) = delete;

    // The arena of this thread; there must be one.
    static std::pmr::memory_resource& Current();

private:
    std::pmr::monotonic_buffer_resource resource_;
    JsonArena* previous_;
};

// Allocates from the current thread's arena; deallocation is the arena's business.
template <class T>
struct ArenaAllocator {
    using value_type = T;
    ArenaAllocator() = default;
    template <class U>
    ArenaAllocator(const ArenaAllocator<U>&) {}
    T* allocate(std::size_t n) {
        return static_cast<T*>(JsonArena::Current().allocate(n * sizeof(T), alignof(T)));
    }
    void deallocate(T*, std::size_t) {}
    template <class U>
    bool operator==(const ArenaAllocator<U>&) const {
        return true;
    }
};

}  // namespace skpm
