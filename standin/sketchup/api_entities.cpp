// Entity collections.
#include <SketchUpAPI/model/entities.h>

#include "api_support.h"

using namespace skpm;

namespace {

template <class T>
SUResult Count(SUEntitiesRef ref, FailPoint point, std::vector<T> Entities::*list, size_t* count) {
    const Entities* entities = As<Entities>(ref.ptr);
    if (SUResult r = Begin(entities, point, {count}); r != SU_ERROR_NONE) return r;
    return WriteCount(entities->*list, count);
}

template <class Ref, class T>
SUResult List(SUEntitiesRef ref, FailPoint point, std::vector<T> Entities::*list, size_t len,
              Ref refs[], size_t* count) {
    const Entities* entities = As<Entities>(ref.ptr);
    if (SUResult r = Begin(entities, point, {count}); r != SU_ERROR_NONE) return r;
    return FillRefs(entities->*list, len, refs, count);
}

}  // namespace

SU_RESULT SUEntitiesGetNumFaces(SUEntitiesRef entities, size_t* count) {
    return Count(entities, FailPoint::SUEntitiesGetNumFaces, &Entities::faces, count);
}

SU_RESULT SUEntitiesGetFaces(SUEntitiesRef entities, size_t len, SUFaceRef faces[], size_t* count) {
    return List(entities, FailPoint::SUEntitiesGetFaces, &Entities::faces, len, faces, count);
}

SU_RESULT SUEntitiesGetNumGroups(SUEntitiesRef entities, size_t* count) {
    return Count(entities, FailPoint::SUEntitiesGetNumGroups, &Entities::groups, count);
}

SU_RESULT SUEntitiesGetGroups(SUEntitiesRef entities, size_t len, SUGroupRef groups[],
                              size_t* count) {
    return List(entities, FailPoint::SUEntitiesGetGroups, &Entities::groups, len, groups, count);
}

SU_RESULT SUEntitiesGetNumInstances(SUEntitiesRef entities, size_t* count) {
    return Count(entities, FailPoint::SUEntitiesGetNumInstances, &Entities::instances, count);
}

SU_RESULT SUEntitiesGetInstances(SUEntitiesRef entities, size_t len,
                                 SUComponentInstanceRef instances[], size_t* count) {
    return List(entities, FailPoint::SUEntitiesGetInstances, &Entities::instances, len, instances,
                count);
}

SU_RESULT SUEntitiesGetNumImages(SUEntitiesRef entities, size_t* count) {
    return Count(entities, FailPoint::SUEntitiesGetNumImages, &Entities::images, count);
}

SU_RESULT SUEntitiesGetImages(SUEntitiesRef entities, size_t len, SUImageRef images[],
                              size_t* count) {
    return List(entities, FailPoint::SUEntitiesGetImages, &Entities::images, len, images, count);
}
