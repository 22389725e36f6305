#include "live_objects.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace skpm::live {
namespace {

struct Registry {
    std::shared_mutex mutex;
    std::unordered_map<const void*, std::unique_ptr<Object>> objects;
};

// Never destroyed: callers may release objects from static destructors of their own.
Registry& TheRegistry() {
    static auto* registry = new Registry;
    return *registry;
}

}  // namespace

void Add(std::unique_ptr<Object> object) {
    Registry& registry = TheRegistry();
    const void* key = object.get();
    std::lock_guard lock(registry.mutex);
    registry.objects.emplace(key, std::move(object));
}

bool Release(const void* pointer, SURefType type) {
    std::unique_ptr<Object> doomed;
    Registry& registry = TheRegistry();
    {
        std::lock_guard lock(registry.mutex);
        auto found = registry.objects.find(pointer);
        if (found == registry.objects.end() || found->second->type != type) return false;
        doomed = std::move(found->second);
        registry.objects.erase(found);
    }
    return true;  // `doomed` is destroyed outside the lock: a model can take a while
}

Object* Find(const void* pointer, SURefType type) {
    if (pointer == nullptr) return nullptr;
    Registry& registry = TheRegistry();
    std::shared_lock lock(registry.mutex);
    auto found = registry.objects.find(pointer);
    if (found == registry.objects.end() || found->second->type != type) return nullptr;
    return found->second.get();
}

}  // namespace skpm::live
