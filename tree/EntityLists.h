#pragma once

#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/entities.h>
#include <SketchUpAPI/model/group.h>

#include <algorithm>
#include <vector>

namespace Importing {

// What the walk and its preparation ask of an entities collection, asked the same way by both so
// that they agree on every answer.

inline size_t CountOrZero(SUResult (*counter)(SUEntitiesRef, size_t*), SUEntitiesRef entities) {
    size_t count = 0;
    return counter(entities, &count) == SU_ERROR_NONE ? count : 0;
}

// A collection's elements of one kind; empty when the fetch fails.
template <typename Ref, typename Getter>
std::vector<Ref> FetchAll(SUEntitiesRef entities, size_t count, Getter getter) {
    std::vector<Ref> list(count, Ref SU_INVALID);
    size_t fetched = 0;
    if (count == 0 || getter(entities, count, list.data(), &fetched) != SU_ERROR_NONE) return {};
    list.resize(std::min(fetched, count));
    return list;
}

// The entities below a group; false when they cannot be had.
inline bool ChildEntities(SUGroupRef group, SUEntitiesRef& children) {
    return SUGroupGetEntities(group, &children) == SU_ERROR_NONE;
}

// The entities of an instance's (or image's) definition; false when they cannot be had.
inline bool ChildEntities(SUComponentInstanceRef instance, SUEntitiesRef& children) {
    SUComponentDefinitionRef definition = SU_INVALID;
    return SUComponentInstanceGetDefinition(instance, &definition) == SU_ERROR_NONE &&
           SUComponentDefinitionGetEntities(definition, &children) == SU_ERROR_NONE;
}

}  // namespace Importing
