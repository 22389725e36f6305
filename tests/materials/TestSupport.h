#pragma once

#include <SketchUpAPI/model/model.h>
#include <gtest/gtest.h>
#include <skpm/document_error.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

namespace materials_test {

using nlohmann::json;
namespace fs = std::filesystem;

// Sets an environment variable while it lives and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() { old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str()); }

private:
    std::string name_;
    std::optional<std::string> old_;
};

// A fresh folder, removed with its content; while it lives it may be the process's TMPDIR, so
// that a material table built meanwhile exports its textures into it.
class TempFolder {
public:
    explicit TempFolder(bool becomeTmpdir) {
        std::string pattern = (fs::temp_directory_path() / "materials_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path = pattern;
        if (becomeTmpdir) tmpdir_.emplace("TMPDIR", pattern.c_str());
    }
    ~TempFolder() {
        tmpdir_.reset();
        fs::remove_all(path);
    }
    size_t Count() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path), {}));
    }

    fs::path path;

private:
    std::optional<ScopedEnv> tmpdir_;
};

// Rows top to bottom, B, G, R(, A) per pixel as the document stores them; alpha opaque.
inline std::vector<uint8_t> TestPixels(int width, int height, int bitsPerPixel) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * bitsPerPixel / 8));
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = bitsPerPixel == 32 && i % 4 == 3 ? 255 : static_cast<uint8_t>(i * 37 + 11);
    }
    return pixels;
}

inline json Texture(const std::string& file, int bitsPerPixel, int width = 2, int height = 2) {
    const std::vector<uint8_t> bytes = TestPixels(width, height, bitsPerPixel);
    const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string base64;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        const uint32_t group =
            bytes[i] << 16 | (n > 1 ? bytes[i + 1] << 8 : 0) | (n > 2 ? bytes[i + 2] : 0);
        for (size_t k = 0; k < 4; ++k)
            base64 += k <= n ? digits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return {
        {"file", file},
        {"pixels",
         {{"width", width}, {"height", height}, {"bitsPerPixel", bitsPerPixel}, {"data", base64}}}};
}

// A model document with these materials and layers, opened through the SketchUp API.
class TestModel {
public:
    TestModel(json materials, const fs::path& folder, json layers = json::array()) {
        const fs::path file = folder / "model.skpm";
        std::ofstream(file) << json{
            {"modelDocument", 1}, {"materials", materials}, {"layers", layers}};
        if (SUModelCreateFromFile(&model_, file.c_str()) != SU_ERROR_NONE) {
            throw std::runtime_error(std::string("model refused: ") + SKPMGetLastOpenError());
        }
    }
    ~TestModel() { SUModelRelease(&model_); }

    SUModelRef Ref() const { return model_; }
    SUMaterialRef Material(size_t index) const {
        return Nth<SUMaterialRef>(index, SUModelGetMaterials);
    }
    SULayerRef Layer(size_t index) const { return Nth<SULayerRef>(index, SUModelGetLayers); }

private:
    template <typename Ref, typename Getter>
    Ref Nth(size_t index, Getter getter) const {
        std::vector<Ref> refs(index + 1, Ref{});
        size_t count = 0;
        getter(model_, refs.size(), refs.data(), &count);
        return count > index ? refs[index] : Ref{};
    }

    SUModelRef model_ = SU_INVALID;
};

// Each test runs in the "C" locale's language, with a temporary folder of its own.
class MaterialsTest : public ::testing::Test {
protected:
    ScopedEnv language{"LC_ALL", "C"};
    TempFolder models{false};
    TempFolder temp{true};
};

inline std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace materials_test
