#include "gltf_read.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tool_run.h"

namespace gltftest {

tinygltf::Model LoadModel(const std::string& path) {
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error, warning;
    const bool binary = path.ends_with(".glb");
    const bool loaded = binary ? loader.LoadBinaryFromFile(&model, &error, &warning, path)
                               : loader.LoadASCIIFromFile(&model, &error, &warning, path);
    EXPECT_TRUE(loaded) << path << ": " << error;
    EXPECT_EQ(warning, "") << path;
    return loaded ? model : tinygltf::Model();
}

std::vector<unsigned char> ViewBytes(const tinygltf::Model& model, int bufferView) {
    const tinygltf::BufferView& view = model.bufferViews.at(bufferView);
    const auto& data = model.buffers.at(view.buffer).data;
    EXPECT_LE(view.byteOffset + view.byteLength, data.size());
    return {data.begin() + view.byteOffset, data.begin() + view.byteOffset + view.byteLength};
}

std::vector<Vec3> ReadVec3(const tinygltf::Model& model, int accessor) {
    const tinygltf::Accessor& a = model.accessors.at(accessor);
    EXPECT_EQ(a.componentType, TINYGLTF_COMPONENT_TYPE_FLOAT);
    EXPECT_EQ(a.type, TINYGLTF_TYPE_VEC3);
    const std::vector<unsigned char> bytes = ViewBytes(model, a.bufferView);
    std::vector<Vec3> out(a.count);
    for (size_t i = 0; i < a.count; ++i) {
        float xyz[3];
        std::memcpy(xyz, bytes.data() + a.byteOffset + 12 * i, sizeof xyz);
        out[i] = {xyz[0], xyz[1], xyz[2]};
    }
    return out;
}

std::vector<uint32_t> ReadIndices(const tinygltf::Model& model, int accessor) {
    const tinygltf::Accessor& a = model.accessors.at(accessor);
    const std::vector<unsigned char> bytes = ViewBytes(model, a.bufferView);
    std::vector<uint32_t> out(a.count);
    for (size_t i = 0; i < a.count; ++i) {
        if (a.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
            uint16_t value;
            std::memcpy(&value, bytes.data() + a.byteOffset + 2 * i, 2);
            out[i] = value;
        } else {
            EXPECT_EQ(a.componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT);
            std::memcpy(&out[i], bytes.data() + a.byteOffset + 4 * i, 4);
        }
    }
    return out;
}

Matrix NodeMatrix(const tinygltf::Node& node) {
    Matrix m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_TRUE(node.matrix.empty() || node.matrix.size() == 16);
    if (node.matrix.size() == 16) std::copy(node.matrix.begin(), node.matrix.end(), m.begin());
    EXPECT_TRUE(node.translation.empty() && node.rotation.empty() && node.scale.empty());
    return m;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix out{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) out[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return out;
}

Vec3 Apply(const Matrix& m, const Vec3& p) {
    Vec3 out;
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    return out;
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

int RunTool(const std::string& program, const std::vector<std::string>& arguments, std::string* err,
            const std::map<std::string, std::string>& environment) {
    const ToolRun run = ::RunTool(program, arguments, environment);
    if (err != nullptr) *err = run.err;
    return run.exitCode;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gltf_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace gltftest
