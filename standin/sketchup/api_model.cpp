// Opening and releasing models, and the model's top-level collections.
#include <SketchUpAPI/initialize.h>
#include <SketchUpAPI/model/model.h>
#include <skpm/document_error.h>

#include <atomic>
#include <new>

#include "api_support.h"
#include "read_document.h"
#include "refusal.h"

using namespace skpm;

namespace {

thread_local std::string lastOpenError;
std::atomic<int> initializeCount{0};

const Model* ModelOf(SUModelRef ref) {
    return live::Find<Model>(ref.ptr);
}

// Reads the document at `file_path` into a new model, its fault injection armed or not.
SUResult OpenModel(SUModelRef* model, const char* file_path, bool faults) {
    try {
        lastOpenError.clear();
        if (file_path == nullptr) {
            lastOpenError = "no file path given";
            return SU_ERROR_NULL_POINTER_INPUT;
        }
        if (model == nullptr) {
            lastOpenError = "no place given for the model";
            return SU_ERROR_NULL_POINTER_OUTPUT;
        }
        if (SUIsValid(*model)) {
            lastOpenError = "the model reference is already valid";
            return SU_ERROR_OVERWRITE_VALID;
        }
        std::unique_ptr<Model> read = ReadModelFile(file_path);
        if (!faults) DisarmFaults(*read);
        model->ptr = live::Add(std::move(read));
        return SU_ERROR_NONE;
    } catch (const DocumentRefusal& refusal) {
        lastOpenError = refusal.what();
        return refusal.code();
    } catch (const std::bad_alloc&) {
        lastOpenError = "out of memory";
        return SU_ERROR_GENERIC;
    } catch (const std::exception& error) {
        lastOpenError = error.what();
        return SU_ERROR_GENERIC;
    }
}

}  // namespace

void SUInitialize(void) {
    initializeCount.fetch_add(1);
}

void SUTerminate(void) {
    initializeCount.fetch_sub(1);
}

const char* SKPMGetLastOpenError(void) {
    return lastOpenError.c_str();
}

size_t SKPMGetLiveObjectCount(void) {
    return live::Count();
}

size_t SKPMGetFailingCalls(const void* object, size_t len, const char* names[]) {
    if (object == nullptr) return 0;
    const FailSet& fails = static_cast<const Object*>(object)->fails;
    size_t count = 0;
    for (size_t i = 0; i < static_cast<size_t>(FailPoint::kCount); ++i) {
        const auto point = static_cast<FailPoint>(i);
        if (!fails.Has(point)) continue;
        if (names != nullptr && count < len) names[count] = FailPointName(point);
        ++count;
    }
    return count;
}

SU_RESULT SUModelCreateFromFile(SUModelRef* model, const char* file_path) {
    return OpenModel(model, file_path, true);
}

SU_RESULT SKPMModelCreateFromFileWithoutFaults(SUModelRef* model, const char* file_path) {
    return OpenModel(model, file_path, false);
}

SU_RESULT SUModelRelease(SUModelRef* model) {
    if (model == nullptr) return SU_ERROR_NULL_POINTER_INPUT;
    if (!live::Release(model->ptr, Model::kLiveType)) return SU_ERROR_INVALID_INPUT;
    SUSetInvalid(*model);
    return SU_ERROR_NONE;
}

SU_RESULT SUModelGetVersion(SUModelRef ref, int* major, int* minor, int* build) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetVersion, {major, minor, build});
        r != SU_ERROR_NONE) {
        return r;
    }
    if (!model->version) return SU_ERROR_NO_DATA;
    *major = (*model->version)[0];
    *minor = (*model->version)[1];
    *build = (*model->version)[2];
    return SU_ERROR_NONE;
}

SU_RESULT SUModelGetEntities(SUModelRef ref, SUEntitiesRef* entities) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetEntities, {entities}); r != SU_ERROR_NONE)
        return r;
    *entities = RefTo<SUEntitiesRef>(&model->entities);
    return SU_ERROR_NONE;
}

SU_RESULT SUModelGetRenderingOptions(SUModelRef ref, SURenderingOptionsRef* rendering_options) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetRenderingOptions, {rendering_options});
        r != SU_ERROR_NONE) {
        return r;
    }
    *rendering_options = RefTo<SURenderingOptionsRef>(&model->renderingOptions);
    return SU_ERROR_NONE;
}

SU_RESULT SUModelGetNumLayers(SUModelRef ref, size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetNumLayers, {count}); r != SU_ERROR_NONE)
        return r;
    return WriteCount(model->layers, count);
}

SU_RESULT SUModelGetLayers(SUModelRef ref, size_t len, SULayerRef layers[], size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetLayers, {count}); r != SU_ERROR_NONE)
        return r;
    return FillRefs(model->layers, len, layers, count);
}

SU_RESULT SUModelGetDefaultLayer(SUModelRef ref, SULayerRef* layer) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetDefaultLayer, {layer}); r != SU_ERROR_NONE)
        return r;
    if (model->defaultLayer == nullptr) return SU_ERROR_NO_DATA;
    *layer = RefTo<SULayerRef>(model->defaultLayer);
    return SU_ERROR_NONE;
}

SU_RESULT SUModelGetNumComponentDefinitions(SUModelRef ref, size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetNumComponentDefinitions, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return WriteCount(model->componentDefinitions, count);
}

SU_RESULT SUModelGetComponentDefinitions(SUModelRef ref, size_t len,
                                         SUComponentDefinitionRef definitions[], size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetComponentDefinitions, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return FillRefs(model->componentDefinitions, len, definitions, count);
}

SU_RESULT SUModelGetNumGroupDefinitions(SUModelRef ref, size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetNumGroupDefinitions, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return WriteCount(model->groupDefinitions, count);
}

SU_RESULT SUModelGetGroupDefinitions(SUModelRef ref, size_t len,
                                     SUComponentDefinitionRef definitions[], size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetGroupDefinitions, {count});
        r != SU_ERROR_NONE) {
        return r;
    }
    return FillRefs(model->groupDefinitions, len, definitions, count);
}

SU_RESULT SUModelGetNumMaterials(SUModelRef ref, size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetNumMaterials, {count}); r != SU_ERROR_NONE)
        return r;
    return WriteCount(model->materials, count);
}

SU_RESULT SUModelGetMaterials(SUModelRef ref, size_t len, SUMaterialRef materials[],
                              size_t* count) {
    const Model* model = ModelOf(ref);
    if (SUResult r = Begin(model, FailPoint::SUModelGetMaterials, {count}); r != SU_ERROR_NONE)
        return r;
    return FillRefs(model->materials, len, materials, count);
}
