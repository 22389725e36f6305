#pragma once

#include <cstddef>
#include <functional>

namespace Importing {

// SketchUp references are opaque handles: as keys they hash and compare by their pointer value.
struct RefHash {
    template <typename Ref>
    std::size_t operator()(const Ref& ref) const noexcept {
        return std::hash<const void*>()(ref.ptr);
    }
};

struct RefEqual {
    template <typename Ref>
    bool operator()(const Ref& a, const Ref& b) const noexcept {
        return a.ptr == b.ptr;
    }
};

}  // namespace Importing
