#include "gltf_file.h"

#include <skptext/file_path.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <utility>

namespace gltf {
namespace {

namespace fs = std::filesystem;

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The file's stem with anything but letters, digits, '-', '_' and '.' made '_': names written
// into the JSON as URIs then need no escaping and name the files as they are.
std::string UriSafeStem(const std::string& path) {
    std::string stem = skptext::PathToUtf8(skptext::PathFromUtf8(path).stem());
    for (char& c : stem)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.')
            c = '_';
    return stem.empty() ? "scene" : stem;
}

// The images go into the buffer, each in a bufferView of its own.
void EmbedImages(GltfDocument& document) {
    tinygltf::Model& model = document.model;
    if (document.images.empty()) return;
    if (model.buffers.empty()) model.buffers.emplace_back();
    std::vector<unsigned char>& buffer = model.buffers[0].data;
    for (size_t i = 0; i < document.images.size(); ++i) {
        buffer.resize((buffer.size() + 3) / 4 * 4, 0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = document.images[i].bytes.size();
        buffer.insert(buffer.end(), document.images[i].bytes.begin(),
                      document.images[i].bytes.end());
        model.bufferViews.push_back(std::move(view));
        model.images[i].bufferView = static_cast<int>(model.bufferViews.size() - 1);
        model.images[i].mimeType = document.images[i].mimeType;
    }
}

bool WriteBytes(const fs::path& path, const std::vector<unsigned char>& bytes, std::string& error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        error = "cannot write " + skptext::PathToUtf8(path);
        return false;
    }
    return true;
}

// The images as files beside the JSON, named in their uri.
bool WriteImageFiles(GltfDocument& document, const std::string& path, std::string& error) {
    const fs::path folder = skptext::PathFromUtf8(path).parent_path();
    const std::string stem = UriSafeStem(path);
    for (size_t i = 0; i < document.images.size(); ++i) {
        const EncodedImage& image = document.images[i];
        const std::string name =
            stem + "_" + std::to_string(i) + (image.mimeType == "image/jpeg" ? ".jpg" : ".png");
        if (!WriteBytes(folder / skptext::PathFromUtf8(name), image.bytes, error)) return false;
        document.model.images[i].uri = name;
    }
    return true;
}

// tinygltf writes an object with no property set as null, which readers refuse. A scene without
// nodes has nothing to show and is left out (a document without scenes is valid); a node with no
// name, mesh, children or transform states its identity matrix.
void AvoidNullObjects(tinygltf::Model& model) {
    if (model.scenes.size() == 1 && model.scenes[0].nodes.empty() && model.scenes[0].name.empty() &&
        model.scenes[0].extras.Type() == tinygltf::NULL_TYPE) {
        model.scenes.clear();
        model.defaultScene = -1;
    }
    for (tinygltf::Node& node : model.nodes) {
        if (node.name.empty() && node.mesh < 0 && node.children.empty() && node.matrix.empty() &&
            node.translation.empty() && node.rotation.empty() && node.scale.empty() &&
            node.camera < 0 && node.skin < 0 && node.weights.empty() &&
            node.extras.Type() == tinygltf::NULL_TYPE)
            node.matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    }
}

// tinygltf would encode decoded pixels again; the images here are written already.
bool KeepImageUri(const std::string*, const std::string*, const tinygltf::Image*, bool,
                  std::string*, void*) {
    return false;
}

}  // namespace

std::optional<GltfFormat> GltfFormatOf(const std::string& path) {
    const std::string extension =
        Lowercase(skptext::PathToUtf8(skptext::PathFromUtf8(path).extension()));
    if (extension == ".glb") return GltfFormat::Binary;
    if (extension == ".gltf") return GltfFormat::Text;
    return std::nullopt;
}

bool WriteGltf(GltfDocument document, const std::string& path, std::string& error) {
    const std::optional<GltfFormat> format = GltfFormatOf(path);
    if (!format) {
        error = "a glTF file name ends in .glb or .gltf: " + path;
        return false;
    }
    tinygltf::Model& model = document.model;
    if (*format == GltfFormat::Binary) {
        EmbedImages(document);
    } else {
        if (!WriteImageFiles(document, path, error)) return false;
        if (!model.buffers.empty()) model.buffers[0].uri = UriSafeStem(path) + ".bin";
    }
    AvoidNullObjects(model);
    // A buffer of no bytes is invalid; a document without geometry or images has none.
    if (!model.buffers.empty() && model.buffers[0].data.empty()) model.buffers.clear();
    if (!model.buffers.empty())
        model.buffers[0].data.resize((model.buffers[0].data.size() + 3) / 4 * 4, 0);

    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(KeepImageUri, nullptr);
    const bool binary = *format == GltfFormat::Binary;
    // Only this call writes the JSON (and for .gltf the .bin); its success is checked on disk.
    std::error_code ignored;
    const fs::path file = skptext::PathFromUtf8(path);
    fs::remove(file, ignored);
    // tinygltf opens the name as UTF-8 on every platform.
    if (!writer.WriteGltfSceneToFile(&model, path, false, binary, !binary, binary) ||
        !fs::exists(file, ignored)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace gltf
