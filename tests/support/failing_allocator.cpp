// Every form of the global allocator, asking the installed veto before each allocation. Kept apart
// from the tests so that the compiler does not pair these operators with inlined callers.
#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace testsupport {
namespace {

std::atomic<AllocationVeto> installedVeto = nullptr;

void* Allocate(std::size_t size) {
    const AllocationVeto veto = installedVeto.load(std::memory_order_acquire);
    if (veto != nullptr && veto(size)) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

AllocationVeto SetAllocationVeto(AllocationVeto veto) {
    return installedVeto.exchange(veto, std::memory_order_acq_rel);
}

}  // namespace testsupport

// The sanitizer runtimes supply every form not replaced here (the array forms among them), and
// would pair their allocations with the frees below: all of them are replaced.
void* operator new(std::size_t size) {
    return testsupport::Allocate(size);
}
void* operator new[](std::size_t size) {
    return testsupport::Allocate(size);
}
// Libraries also allocate through the nothrow forms; they must pair with the frees below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return testsupport::Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
