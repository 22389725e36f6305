// The test program's allocator: it fails blocks of one size on threads not exempt, so that a test
// reaches out-of-memory paths on a thread it does not own. Kept apart from the tests so the
// compiler does not pair these operators with inlined callers.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace materials_test {
std::atomic<size_t> failingSize = SIZE_MAX;  // SIZE_MAX: none is refused
thread_local bool exemptFromFailure = false;
}  // namespace materials_test

void* operator new(size_t size) {
    if (size == materials_test::failingSize && !materials_test::exemptFromFailure) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
// Libraries also allocate through the nothrow forms; they must pair with the frees above.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
// Sanitizer runtimes supply their own array forms, which would bypass the ones above.
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept {
    std::free(memory);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
