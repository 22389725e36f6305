// Reference types of the model's objects, and the type codes of entities.
#ifndef SKETCHUP_MODEL_DEFS_H_
#define SKETCHUP_MODEL_DEFS_H_

#include <SketchUpAPI/common.h>

DEFINE_SU_TYPE(SUAttributeDictionaryRef)
DEFINE_SU_TYPE(SUCameraRef)
DEFINE_SU_TYPE(SUComponentDefinitionRef)
DEFINE_SU_TYPE(SUComponentInstanceRef)
DEFINE_SU_TYPE(SUCurveRef)
DEFINE_SU_TYPE(SUDrawingElementRef)
DEFINE_SU_TYPE(SUEdgeRef)
DEFINE_SU_TYPE(SUEntitiesRef)
DEFINE_SU_TYPE(SUEntityRef)
DEFINE_SU_TYPE(SUFaceRef)
DEFINE_SU_TYPE(SUGroupRef)
DEFINE_SU_TYPE(SUImageRef)
DEFINE_SU_TYPE(SUImageRepRef)
DEFINE_SU_TYPE(SULayerRef)
DEFINE_SU_TYPE(SULoopRef)
DEFINE_SU_TYPE(SUMaterialRef)
DEFINE_SU_TYPE(SUMeshHelperRef)
DEFINE_SU_TYPE(SUModelRef)
DEFINE_SU_TYPE(SURenderingOptionsRef)
DEFINE_SU_TYPE(SUTextureRef)
DEFINE_SU_TYPE(SUTypedValueRef)
DEFINE_SU_TYPE(SUVertexRef)

/// What SUEntityGetType answers (the numbering of SDKs before 2025).
enum SURefType {
    SURefType_Unknown = 0,
    SURefType_AttributeDictionary,
    SURefType_Camera,
    SURefType_ComponentDefinition,
    SURefType_ComponentInstance,
    SURefType_Curve,
    SURefType_Edge,
    SURefType_EdgeUse,
    SURefType_Entities,
    SURefType_Face,
    SURefType_Group,
    SURefType_Image,
    SURefType_Layer,
    SURefType_Location,
    SURefType_Loop,
    SURefType_MeshHelper,
    SURefType_Material,
    SURefType_Model,
    SURefType_Polyline3D,
    SURefType_Scene,
    SURefType_Texture,
    SURefType_TextureWriter,
    SURefType_TypedValue,
    SURefType_UVHelper,
    SURefType_Vertex,
    SURefType_RenderingOptions,
    SURefType_GuidePoint,
    SURefType_GuideLine,
    SURefType_Schema,
    SURefType_SchemaType,
    SURefType_ShadowInfo,
    SURefType_Axes,
    SURefType_ArcCurve,
    SURefType_SectionPlane,
    SURefType_DynamicComponentInfo,
    SURefType_DynamicComponentAttribute,
    SURefType_Style,
    SURefType_Styles,
    SURefType_ImageRep,
};

#endif  // SKETCHUP_MODEL_DEFS_H_
