#include <SketchUpAPI/model/image_rep.h>
#include <SketchUpAPI/model/texture.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>

#include "BitmapWriter.h"
#include "MaterialText.h"
#include "SketchUpObjects.h"
#include "SkpMaterialTable.h"

namespace Importing {

namespace {

constexpr auto kIdlePoll = std::chrono::milliseconds(5);

void DropQueued(tbb::concurrent_queue<SkpMaterialInfo*>& queue) {
    SkpMaterialInfo* record = nullptr;
    while (queue.try_pop(record)) {
    }
}

// Reads the pixels of `image` and writes them as an uncompressed bitmap.
void WriteBitmapFromImage(SUImageRepRef image, const std::u16string& path) {
    size_t dataSize = 0;
    size_t bitsPerPixel = 0;
    size_t width = 0;
    size_t height = 0;
    if (SUImageRepGetDataSize(image, &dataSize, &bitsPerPixel) != SU_ERROR_NONE ||
        SUImageRepGetPixelDimensions(image, &width, &height) != SU_ERROR_NONE) {
        return;
    }
    // No pixels, or sizes the bitmap headers cannot state: nothing sensible can be written.
    if (dataSize == 0 || width == 0 || height == 0 || dataSize > UINT32_MAX - 54 ||
        width > INT32_MAX || height > INT32_MAX || bitsPerPixel > UINT16_MAX) {
        return;
    }
    const auto pixels = std::make_unique_for_overwrite<SUByte[]>(dataSize);
    if (SUImageRepGetData(image, dataSize, pixels.get()) != SU_ERROR_NONE) return;
    // A texture whose file cannot be written is skipped: the load goes on without it.
    WriteBitmapFile(path, static_cast<int32_t>(width), static_cast<int32_t>(height),
                    static_cast<uint16_t>(bitsPerPixel), static_cast<uint32_t>(dataSize),
                    pixels.get());
}

}  // namespace

void SkpMaterialTable::StartTextureWorker(SceneContainer* target) {
    StopTextureWorker();  // one worker at a time, and it finishes its queue first
    Reset();
    scene = target;
    DropQueued(textureQueue_);
    stopWorker_ = false;
    worker_ = std::make_unique<std::thread>(&SkpMaterialTable::WorkerLoop, this);
}

void SkpMaterialTable::QueueTexture(SkpMaterialInfo* record) {
    textureQueue_.push(record);
}

void SkpMaterialTable::StopTextureWorker() {
    if (!worker_ || !worker_->joinable()) return;
    stopWorker_ = true;
    worker_->join();  // from the worker itself this raises resource_deadlock_would_occur
    worker_.reset();
    DropQueued(textureQueue_);
}

void SkpMaterialTable::WorkerLoop() {
    SkpMaterialInfo* record = nullptr;
    for (;;) {
        // The stop flag is read before the queue is emptied: every record pushed before the stop
        // was asked for is in the queue by then, and is exported before the worker ends.
        const bool stopping = stopWorker_;
        while (textureQueue_.try_pop(record)) ExportTexture(record);
        if (stopping) return;
        std::this_thread::sleep_for(kIdlePoll);
    }
}

void SkpMaterialTable::ExportTexture(SkpMaterialInfo* record) {
    try {
        SketchUpImageRep image;
        if (!image.IsValid()) return;
        const SUResult got = record->type == SUMaterialType_ColorizedTexture
                                 ? SUTextureGetColorizedImageRep(record->texture, &image.ref)
                                 : SUTextureGetImageRep(record->texture, &image.ref);
        // Without its pixels the texture is not exported: no file stands for it.
        if (got != SU_ERROR_NONE) return;
        if (record->imageFormat != kImageBmp) {
            // The extension of the path tells the library which format to write.
            SUImageRepSaveToFile(image.ref, ToUtf8(record->textureFile).c_str());
        } else {
            WriteBitmapFromImage(image.ref, record->textureFile);
        }
    } catch (const std::bad_alloc&) {
        // Out of memory for this image only: it is skipped, its objects already released, and
        // the worker goes on with the next one.
    }
}

}  // namespace Importing
