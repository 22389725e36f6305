#include "file_contents.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "test_platform.h"

namespace testsupport {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + Utf8(path));
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) throw std::runtime_error("cannot read " + Utf8(path));
    return bytes;
}

nlohmann::json ReadJson(const std::filesystem::path& path) {
    try {
        return nlohmann::json::parse(ReadBytes(path));
    } catch (const nlohmann::json::exception& error) {
        throw std::runtime_error(Utf8(path) + " does not hold JSON: " + error.what());
    }
}

}  // namespace testsupport
