// What all entities and drawing elements answer, and the conversions between reference kinds
// (which keep the pointer; a From-conversion of another type answers an invalid reference).
#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/entity.h>
#include <SketchUpAPI/model/face.h>
#include <SketchUpAPI/model/group.h>
#include <SketchUpAPI/model/image.h>
#include <SketchUpAPI/model/layer.h>
#include <SketchUpAPI/model/material.h>

#include "api_support.h"

using namespace skpm;

namespace {

// Every model object that is an entity.
struct AnyEntity {
    static bool Accepts(SURefType t) {
        return Element::Accepts(t) || t == SURefType_ComponentDefinition || t == SURefType_Layer ||
               t == SURefType_Material || t == SURefType_AttributeDictionary;
    }
};

template <class To, class From>
To Convert(From from) {
    To to;
    to.ptr = from.ptr;
    return to;
}

// Keeps the pointer when it is an object of type T, else the invalid reference.
template <class T, class To, class From>
To ConvertChecked(From from) {
    To to;
    to.ptr = AsKind<T>(from.ptr) ? from.ptr : nullptr;
    return to;
}

template <SURefType kType>
struct Only {
    static bool Accepts(SURefType t) { return t == kType; }
};

const std::vector<AttributeDictionary>& DictionariesOf(const Object& entity) {
    static const std::vector<AttributeDictionary> kNone;
    if (const Material* material = As<Material>(&entity)) return material->dictionaries;
    return kNone;
}

}  // namespace

enum SURefType SUEntityGetType(SUEntityRef entity) {
    const Object* object = AsKind<AnyEntity>(entity.ptr);
    return object ? object->type : SURefType_Unknown;
}

SU_RESULT SUEntityGetNumAttributeDictionaries(SUEntityRef entity, size_t* count) {
    const Object* object = AsKind<AnyEntity>(entity.ptr);
    if (SUResult r = Begin(object, FailPoint::SUEntityGetNumAttributeDictionaries, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return WriteCount(DictionariesOf(*object), count);
}

SU_RESULT SUEntityGetAttributeDictionaries(SUEntityRef entity, size_t len,
                                           SUAttributeDictionaryRef dictionaries[], size_t* count) {
    const Object* object = AsKind<AnyEntity>(entity.ptr);
    if (SUResult r = Begin(object, FailPoint::SUEntityGetAttributeDictionaries, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return FillRefs(DictionariesOf(*object), len, dictionaries, count);
}

SU_RESULT SUDrawingElementGetHidden(SUDrawingElementRef elem, bool* hide_flag) {
    const Element* element = As<Element>(elem.ptr);
    if (SUResult r = Begin(element, FailPoint::SUDrawingElementGetHidden, {hide_flag});
        r != SU_ERROR_NONE) {
        return r;
    }
    *hide_flag = element->hidden;
    return SU_ERROR_NONE;
}

SU_RESULT SUDrawingElementGetLayer(SUDrawingElementRef elem, SULayerRef* layer) {
    const Element* element = As<Element>(elem.ptr);
    if (SUResult r = Begin(element, FailPoint::SUDrawingElementGetLayer, {layer});
        r != SU_ERROR_NONE) {
        return r;
    }
    if (element->layer == nullptr) return SU_ERROR_NO_DATA;
    *layer = RefTo<SULayerRef>(element->layer);
    return SU_ERROR_NONE;
}

SU_RESULT SUDrawingElementGetMaterial(SUDrawingElementRef elem, SUMaterialRef* material) {
    const Element* element = As<Element>(elem.ptr);
    if (SUResult r = Begin(element, FailPoint::SUDrawingElementGetMaterial, {material});
        r != SU_ERROR_NONE) {
        return r;
    }
    if (element->material == nullptr) return SU_ERROR_NO_DATA;
    *material = RefTo<SUMaterialRef>(element->material);
    return SU_ERROR_NONE;
}

SUEntityRef SUDrawingElementToEntity(SUDrawingElementRef elem) {
    return Convert<SUEntityRef>(elem);
}
SUDrawingElementRef SUDrawingElementFromEntity(SUEntityRef entity) {
    return ConvertChecked<Element, SUDrawingElementRef>(entity);
}

SUEntityRef SUFaceToEntity(SUFaceRef face) {
    return Convert<SUEntityRef>(face);
}
SUFaceRef SUFaceFromEntity(SUEntityRef entity) {
    return ConvertChecked<Face, SUFaceRef>(entity);
}
SUDrawingElementRef SUFaceToDrawingElement(SUFaceRef face) {
    return Convert<SUDrawingElementRef>(face);
}
SUFaceRef SUFaceFromDrawingElement(SUDrawingElementRef elem) {
    return ConvertChecked<Face, SUFaceRef>(elem);
}

using GroupOnly = Only<SURefType_Group>;
SUEntityRef SUGroupToEntity(SUGroupRef group) {
    return Convert<SUEntityRef>(group);
}
SUGroupRef SUGroupFromEntity(SUEntityRef entity) {
    return ConvertChecked<GroupOnly, SUGroupRef>(entity);
}
SUDrawingElementRef SUGroupToDrawingElement(SUGroupRef group) {
    return Convert<SUDrawingElementRef>(group);
}
SUGroupRef SUGroupFromDrawingElement(SUDrawingElementRef elem) {
    return ConvertChecked<GroupOnly, SUGroupRef>(elem);
}

using InstanceOnly = Only<SURefType_ComponentInstance>;
SUEntityRef SUComponentInstanceToEntity(SUComponentInstanceRef instance) {
    return Convert<SUEntityRef>(instance);
}
SUComponentInstanceRef SUComponentInstanceFromEntity(SUEntityRef entity) {
    return ConvertChecked<InstanceOnly, SUComponentInstanceRef>(entity);
}
SUDrawingElementRef SUComponentInstanceToDrawingElement(SUComponentInstanceRef instance) {
    return Convert<SUDrawingElementRef>(instance);
}
SUComponentInstanceRef SUComponentInstanceFromDrawingElement(SUDrawingElementRef elem) {
    return ConvertChecked<InstanceOnly, SUComponentInstanceRef>(elem);
}

using ImageOnly = Only<SURefType_Image>;
SUEntityRef SUImageToEntity(SUImageRef image) {
    return Convert<SUEntityRef>(image);
}
SUImageRef SUImageFromEntity(SUEntityRef entity) {
    return ConvertChecked<ImageOnly, SUImageRef>(entity);
}
SUDrawingElementRef SUImageToDrawingElement(SUImageRef image) {
    return Convert<SUDrawingElementRef>(image);
}
SUImageRef SUImageFromDrawingElement(SUDrawingElementRef elem) {
    return ConvertChecked<ImageOnly, SUImageRef>(elem);
}

SUEntityRef SUComponentDefinitionToEntity(SUComponentDefinitionRef comp_def) {
    return Convert<SUEntityRef>(comp_def);
}
SUComponentDefinitionRef SUComponentDefinitionFromEntity(SUEntityRef entity) {
    return ConvertChecked<Definition, SUComponentDefinitionRef>(entity);
}

SUEntityRef SULayerToEntity(SULayerRef layer) {
    return Convert<SUEntityRef>(layer);
}
SULayerRef SULayerFromEntity(SUEntityRef entity) {
    return ConvertChecked<Layer, SULayerRef>(entity);
}

SUEntityRef SUMaterialToEntity(SUMaterialRef material) {
    return Convert<SUEntityRef>(material);
}
SUMaterialRef SUMaterialFromEntity(SUEntityRef entity) {
    return ConvertChecked<Material, SUMaterialRef>(entity);
}
