#include "gltf_read.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gltf_invariants.h"
#include "gltf_readback.h"
#include "test_platform.h"
#include "tool_run.h"

namespace gltftest {

tinygltf::Model LoadModel(const std::string& path) {
    tinygltf::Model model;
    std::string problem;
    if (!gltf::ReadGltfFile(path, model, problem)) {
        ADD_FAILURE() << problem;
        return tinygltf::Model();
    }
    const std::vector<std::string> violations = gltf::GltfInvariantViolations(model);
    EXPECT_TRUE(violations.empty()) << path << ": " << violations.front();
    return model;
}

std::vector<unsigned char> ViewBytes(const tinygltf::Model& model, int bufferView) {
    const auto bytes = gltf::ViewBytes(model, bufferView);
    EXPECT_TRUE(bytes) << "bufferView " << bufferView << " does not lie within its buffer";
    return bytes ? std::vector<unsigned char>(bytes->begin(), bytes->end())
                 : std::vector<unsigned char>();
}

std::vector<Vec3> ReadVec3(const tinygltf::Model& model, int accessor) {
    const auto values = gltf::ReadVec3(model, accessor);
    EXPECT_TRUE(values) << "accessor " << accessor << " is not FLOAT VEC3 within its bufferView";
    if (!values) return {};
    std::vector<Vec3> out;
    for (const auto& [x, y, z] : *values) out.push_back({x, y, z});
    return out;
}

std::vector<uint32_t> ReadIndices(const tinygltf::Model& model, int accessor) {
    const auto indices = gltf::ReadIndices(model, accessor);
    EXPECT_TRUE(indices) << "accessor " << accessor << " is not indices within its bufferView";
    return indices.value_or(std::vector<uint32_t>());
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
    const testsupport::ToolRun run = testsupport::RunTool(program, arguments, environment);
    if (err != nullptr) *err = run.err;
    return run.exitCode;
}

}  // namespace gltftest
