#include "TestSupport.h"

#include <SketchUpAPI/model/model.h>
#include <skpm/document_error.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace materials_test {

namespace fs = std::filesystem;

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
}

ScopedEnv::~ScopedEnv() {
    if (old_) {
        setenv(name_.c_str(), old_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

TempFolder::TempFolder(bool becomeTmpdir) {
    std::string pattern = (fs::temp_directory_path() / "materials_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
    if (becomeTmpdir) tmpdir_.emplace("TMPDIR", pattern.c_str());
}

TempFolder::~TempFolder() {
    tmpdir_.reset();
    std::error_code ignored;  // a test that failed half-way may have left anything behind
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> TestPixels(int width, int height, int bitsPerPixel) {
    const int channels = bitsPerPixel / 8;
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * channels));
    for (size_t i = 0; i < pixels.size(); ++i) {
        // Alpha stays opaque so that decoders which drop an all-clear channel see it too.
        pixels[i] = channels == 4 && i % 4 == 3 ? 255 : static_cast<uint8_t>(i * 37 + 11);
    }
    return pixels;
}

namespace {

std::string Base64(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = uint32_t{bytes[i]} << 16;
        if (n > 1) group |= uint32_t{bytes[i + 1]} << 8;
        if (n > 2) group |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k) {
            text += k <= n ? digits[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return text;
}

}  // namespace

json Texture(const std::string& file, int bitsPerPixel, int width, int height) {
    return {{"file", file},
            {"pixels",
             {{"width", width},
              {"height", height},
              {"bitsPerPixel", bitsPerPixel},
              {"data", Base64(TestPixels(width, height, bitsPerPixel))}}}};
}

json ModelDocument(json materials, json layers) {
    return {
        {"modelDocument", 1}, {"materials", std::move(materials)}, {"layers", std::move(layers)}};
}

TestModel::TestModel(const json& document, const fs::path& folder) {
    const fs::path file = folder / "model.skpm";
    std::ofstream(file) << document.dump();
    if (SUModelCreateFromFile(&model_, file.c_str()) != SU_ERROR_NONE) {
        throw std::runtime_error(std::string("model refused: ") + SKPMGetLastOpenError());
    }
}

TestModel::~TestModel() {
    SUModelRelease(&model_);
}

SUMaterialRef TestModel::Material(size_t index) const {
    std::vector<SUMaterialRef> materials(index + 1, SUMaterialRef{});
    size_t count = 0;
    SUModelGetMaterials(model_, materials.size(), materials.data(), &count);
    if (count <= index) throw std::out_of_range("no such material");
    return materials[index];
}

SULayerRef TestModel::Layer(size_t index) const {
    std::vector<SULayerRef> layers(index + 1, SULayerRef{});
    size_t count = 0;
    SUModelGetLayers(model_, layers.size(), layers.data(), &count);
    if (count <= index) throw std::out_of_range("no such layer");
    return layers[index];
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace materials_test
