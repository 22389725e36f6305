#include "json_arena.h"

#include <cassert>

namespace skpm {
namespace {

thread_local JsonArena* tCurrent = nullptr;

}  // namespace

JsonArena::JsonArena() : resource_(size_t{1} << 16), previous_(tCurrent) {
    tCurrent = this;
}

JsonArena::~JsonArena() {
    tCurrent = previous_;
}

std::pmr::memory_resource& JsonArena::Current() {
    assert(tCurrent != nullptr);
    return tCurrent->resource_;
}

}  // namespace skpm
