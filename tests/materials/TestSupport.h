#pragma once

#include <SketchUpAPI/model/defs.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace materials_test {

using nlohmann::json;

// Sets an environment variable while it lives and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

private:
    std::string name_;
    std::optional<std::string> old_;
};

// A fresh, empty folder, removed with its content. Unless asked not to, it is the process's
// temporary folder (TMPDIR) while it lives, so a material table built meanwhile exports there.
class TempFolder {
public:
    explicit TempFolder(bool becomeTmpdir = true);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> FileNames() const;  // sorted

private:
    std::filesystem::path path_;
    std::optional<ScopedEnv> tmpdir_;
};

// Pixels of a test image in the document's order: rows top to bottom, B, G, R(, A) per pixel.
std::vector<uint8_t> TestPixels(int width, int height, int bitsPerPixel);

// A texture whose pixels are TestPixels; `file` is what the texture reports as its file name.
json Texture(const std::string& file, int bitsPerPixel, int width = 2, int height = 2);
json ModelDocument(json materials, json layers = json::array());

// A model document written to `folder` and opened through the SketchUp API; released at the end.
class TestModel {
public:
    TestModel(const json& document, const std::filesystem::path& folder);
    TestModel(const TestModel&) = delete;
    TestModel& operator=(const TestModel&) = delete;
    ~TestModel();

    SUModelRef Ref() const { return model_; }
    SUMaterialRef Material(size_t index) const;  // in document order
    SULayerRef Layer(size_t index) const;

private:
    SUModelRef model_ = SU_INVALID;
};

// Each test runs in the "C" locale's language, with a temporary folder of its own.
class MaterialsTest : public ::testing::Test {
protected:
    ScopedEnv language{"LC_ALL", "C"};
    TempFolder models{false};
    TempFolder temp;
};

// The whole content of a file.
std::vector<uint8_t> ReadFile(const std::filesystem::path& path);

}  // namespace materials_test
