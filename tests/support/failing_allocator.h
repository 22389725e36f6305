// The test program's global allocator, which fails the allocations a veto picks, so that a test
// reaches the out-of-memory paths of code it does not own, on threads it does not own. Linking
// failing_allocator replaces every form of operator new and delete in the program.
#pragma once

#include <cstddef>

namespace testsupport {

// Answers whether the allocation of `size` bytes about to be made on the calling thread fails.
// It runs inside operator new, on any thread: it must not allocate, and must be safe to call
// concurrently.
using AllocationVeto = bool (*)(std::size_t size);

// Installs `veto` (nullptr: every allocation succeeds); answers the one it replaces.
AllocationVeto SetAllocationVeto(AllocationVeto veto);

}  // namespace testsupport
