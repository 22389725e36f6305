// Objects the caller creates and releases (models, strings, typed values, mesh helpers, image
// reps) are recorded here while alive, so that a reference to anything else (released, never
// made, or of another kind) is answered with an error instead of being dereferenced.
#pragma once

#include <SketchUpAPI/model/defs.h>

#include <memory>
#include <string>

#include "image.h"
#include "objects.h"

namespace skpm {

struct String : Object {
    String() : Object(SURefType_Unknown) {}
    static constexpr SURefType kLiveType = SURefType_Unknown;  // strings have no SURefType
    std::u16string text;
};

struct TypedValue : Object {
    TypedValue() : Object(SURefType_TypedValue) {}
    static constexpr SURefType kLiveType = SURefType_TypedValue;
    Value value;
};

struct MeshHelper : Object {
    explicit MeshHelper(const Face* f) : Object(SURefType_MeshHelper), face(f) {}
    static constexpr SURefType kLiveType = SURefType_MeshHelper;
    const Face* face;  // the helper reads the face's mesh, made when the model was read
};

struct ImageRep : Object {
    ImageRep() : Object(SURefType_ImageRep) {}
    static constexpr SURefType kLiveType = SURefType_ImageRep;
    std::shared_ptr<const Image> image;  // null while empty; shared with a texture when unchanged
};

namespace live {

// An object with the deleter of its own type (Object has no virtual destructor: model objects
// stay free of a vtable pointer).
using Owned = std::unique_ptr<Object, void (*)(Object*)>;

// Thread-safe. Add takes ownership and answers the object's header, for the caller's reference,
// once it is registered; Release destroys the object if it is alive and of that type.
Object* AddOwned(Owned object);
template <class T>
Object* Add(std::unique_ptr<T> object) {
    return AddOwned(Owned(object.release(), [](Object* o) { delete static_cast<T*>(o); }));
}
bool Release(const void* pointer, SURefType type);
// The object if `pointer` is alive and of that type, else null. The caller must not release it
// on another thread while using it (the same rule the real library sets).
Object* Find(const void* pointer, SURefType type);

// How many are alive now.
size_t Count();

template <class T>
T* Find(const void* pointer) {
    return static_cast<T*>(Find(pointer, T::kLiveType));
}

}  // namespace live
}  // namespace skpm
