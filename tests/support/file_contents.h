// Whole files as the tests read them back: what a tool wrote, a document, an image.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

namespace testsupport {

// The bytes of the file at `path`, read in binary mode. Throws std::runtime_error naming the path
// when the file cannot be read, so that no test goes on comparing against nothing.
std::string ReadBytes(const std::filesystem::path& path);

// The JSON document in the file at `path`; throws naming the path when the file cannot be read or
// does not hold JSON.
nlohmann::json ReadJson(const std::filesystem::path& path);

}  // namespace testsupport
