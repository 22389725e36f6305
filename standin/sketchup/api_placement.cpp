// Groups, component instances, images and the definitions they place.
#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/group.h>
#include <SketchUpAPI/model/image.h>

#include "api_support.h"

using namespace skpm;

namespace {

struct GroupPlacement {
    static bool Accepts(SURefType t) { return t == SURefType_Group; }
};
// An image is a component instance of a hidden definition: its pointer is answered wherever an
// instance is expected.
struct InstancePlacement {
    static bool Accepts(SURefType t) {
        return t == SURefType_ComponentInstance || t == SURefType_Image;
    }
};
struct ImagePlacement {
    static bool Accepts(SURefType t) { return t == SURefType_Image; }
};

template <class Kind>
const Placement* PlacementOf(const void* pointer) {
    return static_cast<const Placement*>(AsKind<Kind>(pointer));
}

SUResult GetTransform(const Placement* placement, FailPoint point, SUTransformation* transform) {
    if (SUResult r = Begin(placement, point, {transform}); r != SU_ERROR_NONE) return r;
    *transform = placement->transform;
    return SU_ERROR_NONE;
}

SUResult GetDefinition(const Placement* placement, FailPoint point,
                       SUComponentDefinitionRef* definition) {
    if (SUResult r = Begin(placement, point, {definition}); r != SU_ERROR_NONE) return r;
    *definition = RefTo<SUComponentDefinitionRef>(placement->definition);
    return SU_ERROR_NONE;
}

}  // namespace

SU_RESULT SUGroupGetEntities(SUGroupRef group, SUEntitiesRef* entities) {
    const Placement* placement = PlacementOf<GroupPlacement>(group.ptr);
    if (SUResult r = Begin(placement, FailPoint::SUGroupGetEntities, {entities});
        r != SU_ERROR_NONE) {
        return r;
    }
    *entities = RefTo<SUEntitiesRef>(&placement->definition->entities);
    return SU_ERROR_NONE;
}

SU_RESULT SUGroupGetTransform(SUGroupRef group, struct SUTransformation* transform) {
    return GetTransform(PlacementOf<GroupPlacement>(group.ptr), FailPoint::SUGroupGetTransform,
                        transform);
}

SU_RESULT SUGroupGetDefinition(SUGroupRef group, SUComponentDefinitionRef* component_definition) {
    return GetDefinition(PlacementOf<GroupPlacement>(group.ptr), FailPoint::SUGroupGetDefinition,
                         component_definition);
}

SU_RESULT SUComponentInstanceGetDefinition(SUComponentInstanceRef instance,
                                           SUComponentDefinitionRef* component) {
    return GetDefinition(PlacementOf<InstancePlacement>(instance.ptr),
                         FailPoint::SUComponentInstanceGetDefinition, component);
}

SU_RESULT SUComponentInstanceGetTransform(SUComponentInstanceRef instance,
                                          struct SUTransformation* transform) {
    return GetTransform(PlacementOf<InstancePlacement>(instance.ptr),
                        FailPoint::SUComponentInstanceGetTransform, transform);
}

SU_RESULT SUImageGetTransform(SUImageRef image, struct SUTransformation* transform) {
    return GetTransform(PlacementOf<ImagePlacement>(image.ptr), FailPoint::SUImageGetTransform,
                        transform);
}

SU_RESULT SUComponentDefinitionGetName(SUComponentDefinitionRef comp_def, SUStringRef* name) {
    return Guarded([&] {
        const Definition* definition = As<Definition>(comp_def.ptr);
        if (SUResult r = BeginString(definition, FailPoint::SUComponentDefinitionGetName, name);
            r != SU_ERROR_NONE) {
            return r;
        }
        return SetString(name, definition->name);
    });
}

SU_RESULT SUComponentDefinitionGetEntities(SUComponentDefinitionRef comp_def,
                                           SUEntitiesRef* entities) {
    const Definition* definition = As<Definition>(comp_def.ptr);
    if (SUResult r = Begin(definition, FailPoint::SUComponentDefinitionGetEntities, {entities});
        r != SU_ERROR_NONE) {
        return r;
    }
    *entities = RefTo<SUEntitiesRef>(&definition->entities);
    return SU_ERROR_NONE;
}
