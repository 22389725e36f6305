#include <SketchUpAPI/model/component_definition.h>
#include <SketchUpAPI/model/component_instance.h>
#include <SketchUpAPI/model/drawing_element.h>
#include <SketchUpAPI/model/entities.h>
#include <SketchUpAPI/model/face.h>
#include <SketchUpAPI/model/image.h>

#include <vector>

#include "SkpReader.h"

namespace Importing {

// Faces of the collection, then the definitions of its images. Groups and instances need no
// visit: their definitions are scanned from the model's lists.
void SkpReader::InitEntities(SUEntitiesRef entities, bool isImage) {
    size_t faceCount = 0;
    SUEntitiesGetNumFaces(entities, &faceCount);
    if (faceCount != 0) {
        std::vector<SUFaceRef> faces(faceCount, SUFaceRef SU_INVALID);
        SUEntitiesGetFaces(entities, faceCount, faces.data(), &faceCount);
        for (SUFaceRef face : faces) InitFace(face, isImage);
    }

    size_t imageCount = 0;
    SUEntitiesGetNumImages(entities, &imageCount);
    if (imageCount != 0) {
        std::vector<SUImageRef> images(imageCount, SUImageRef SU_INVALID);
        SUEntitiesGetImages(entities, imageCount, images.data(), &imageCount);
        for (SUImageRef image : images) {
            SUComponentDefinitionRef definition = SU_INVALID;
            SUEntitiesRef imageEntities = SU_INVALID;
            if (SUComponentInstanceGetDefinition(SUComponentInstanceRef{image.ptr}, &definition) ==
                    SU_ERROR_NONE &&
                SUComponentDefinitionGetEntities(definition, &imageEntities) == SU_ERROR_NONE) {
                InitEntities(imageEntities, true);
            }
        }
    }
}

// Fills the face's record (made on first meeting) and tessellates it. A face met again along
// another path is refilled from the same face: its counts and `placed` stay as they are.
void SkpReader::InitFace(SUFaceRef face, bool isImage) {
    SkpFaceInfo& info = faceInfos.try_emplace(face).first->second;
    info.face = face;
    info.isImage = isImage;
    info.tessellated = false;

    const SUDrawingElementRef element = SUFaceToDrawingElement(face);
    bool hidden = false;
    SUDrawingElementGetHidden(element, &hidden);
    info.visible = !hidden;
    SUDrawingElementGetLayer(element, &info.layer);

    const SULayerRef noLayer = SU_INVALID;
    if (SUFaceGetFrontMaterial(face, &info.frontMaterial) == SU_ERROR_NONE) {
        materials.InitMaterial(info.frontMaterial, noLayer);
    } else {
        info.frontMaterial = SU_INVALID;
    }
    if (SUFaceGetBackMaterial(face, &info.backMaterial) == SU_ERROR_NONE) {
        materials.InitMaterial(info.backMaterial, noLayer);
    } else {
        info.backMaterial = SU_INVALID;
    }
    InitFaceInfo(&info);
}

}  // namespace Importing
