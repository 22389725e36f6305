// Reading written glTF files back for the tests: the model through tinygltf, accessor data as
// plain arrays, node matrices applied, and the tools run as a user runs them.
#pragma once

#include <tiny_gltf.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace gltftest {

using Vec3 = std::array<double, 3>;

// The model of a .glb or .gltf file; fails the test (and answers an empty model) when unreadable,
// and fails it when the model breaks a rule every written model keeps (gltf_invariants.h).
tinygltf::Model LoadModel(const std::string& path);

std::vector<Vec3> ReadVec3(const tinygltf::Model& model, int accessor);
std::vector<uint32_t> ReadIndices(const tinygltf::Model& model, int accessor);
// The bytes a bufferView covers.
std::vector<unsigned char> ViewBytes(const tinygltf::Model& model, int bufferView);

// A node's matrix (column-major, identity when it has none) applied to a point.
using Matrix = std::array<double, 16>;
Matrix NodeMatrix(const tinygltf::Node& node);
Matrix Multiply(const Matrix& a, const Matrix& b);
Vec3 Apply(const Matrix& m, const Vec3& p);

Vec3 Cross(const Vec3& a, const Vec3& b);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Minus(const Vec3& a, const Vec3& b);

// Runs `program` with `arguments` (and `environment` over the test's own), standard error kept
// in `err`; answers the exit status.
int RunTool(const std::string& program, const std::vector<std::string>& arguments,
            std::string* err = nullptr, const std::map<std::string, std::string>& environment = {});

}  // namespace gltftest
