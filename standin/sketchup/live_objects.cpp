#include "live_objects.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace skpm::live {
namespace {

struct Registry {
    std::shared_mutex mutex;
    std::unordered_map<const void*, Owned> objects;
};

// Never destroyed: callers may release objects from static destructors of their own.
Registry& TheRegistry() {
    static auto* registry = new Registry;
    return *registry;
}

}  // namespace

Object* AddOwned(Owned object) {
    Registry& registry = TheRegistry();
    Object* added = object.get();
    std::lock_guard lock(registry.mutex);
    registry.objects.emplace(added, std::move(object));
    return added;
}

bool Release(const void* pointer, SURefType type) {
    Owned doomed(nullptr, nullptr);
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

size_t Count() {
    Registry& registry = TheRegistry();
    std::shared_lock lock(registry.mutex);
    return registry.objects.size();
}

}  // namespace skpm::live
