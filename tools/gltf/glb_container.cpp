#include "glb_container.h"

#include <cstdint>
#include <nlohmann/json.hpp>

namespace gltf {
namespace {

constexpr uint32_t kMagic = 0x46546C67;      // "glTF"
constexpr uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
constexpr size_t kHeaderBytes = 12, kChunkHeaderBytes = 8;

uint32_t Little32(const std::vector<unsigned char>& bytes, size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
           uint32_t{bytes[at + 3]} << 24;
}

struct Chunk {
    size_t start = 0, length = 0;  // of the chunk's data, in the file
};

// The chunk whose header starts at `at`; nothing with `problem` when it is not whole, not
// aligned or not of `type`.
std::optional<Chunk> ReadChunk(const std::vector<unsigned char>& bytes, size_t at, uint32_t type,
                               const char* name, std::string& problem) {
    if (at + kChunkHeaderBytes > bytes.size()) {
        problem = std::string("no room for the ") + name + " chunk's header";
        return std::nullopt;
    }
    const Chunk chunk{at + kChunkHeaderBytes, Little32(bytes, at)};
    if (Little32(bytes, at + 4) != type) {
        problem = std::string("the ") + name + " chunk has another type";
    } else if (chunk.length % 4 != 0) {
        problem = std::string("the ") + name + " chunk's length is not a multiple of 4";
    } else if (chunk.length > bytes.size() - chunk.start) {
        problem = std::string("the ") + name + " chunk reaches past the end of the file";
    } else {
        return chunk;
    }
    return std::nullopt;
}

// The bufferViews of the first buffer against the binary chunk's length.
std::optional<std::string> PlacementProblem(const nlohmann::json& json, size_t binLength) {
    const nlohmann::json buffers = json.value("buffers", nlohmann::json::array());
    for (size_t b = 1; b < buffers.size(); ++b) {
        if (!buffers[b].contains("uri"))
            return "buffer " + std::to_string(b) + " has no uri and is not the binary chunk";
    }
    if (buffers.empty()) return std::nullopt;
    if (buffers[0].contains("uri")) return std::nullopt;  // the chunk is not used
    const uint64_t declared = buffers[0].at("byteLength").get<uint64_t>();
    if (declared > binLength) {
        return "buffer 0 declares " + std::to_string(declared) + " bytes, the binary chunk has " +
               std::to_string(binLength);
    }
    const nlohmann::json views = json.value("bufferViews", nlohmann::json::array());
    for (size_t v = 0; v < views.size(); ++v) {
        if (views[v].at("buffer").get<int64_t>() != 0) continue;
        const uint64_t offset = views[v].value("byteOffset", uint64_t{0});
        const uint64_t length = views[v].at("byteLength").get<uint64_t>();
        if (offset > declared || length > declared - offset) {
            return "bufferView " + std::to_string(v) + " (bytes " + std::to_string(offset) + " + " +
                   std::to_string(length) + ") reaches past the binary chunk of " +
                   std::to_string(declared) + " bytes";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> GlbContainerProblem(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < kHeaderBytes) return "shorter than a .glb header";
    if (Little32(bytes, 0) != kMagic) return "the header's magic is not glTF";
    if (Little32(bytes, 4) != 2) return "the header's version is not 2";
    if (Little32(bytes, 8) != bytes.size()) return "the header's length is not the file's";

    std::string problem;
    const std::optional<Chunk> json = ReadChunk(bytes, kHeaderBytes, kJsonChunk, "JSON", problem);
    if (!json) return problem;
    const size_t binAt = json->start + json->length;
    std::optional<Chunk> bin;
    if (binAt < bytes.size()) {
        bin = ReadChunk(bytes, binAt, kBinChunk, "binary", problem);
        if (!bin) return problem;
        if (bin->start + bin->length != bytes.size()) return "bytes follow the binary chunk";
    }
    try {
        const auto text = bytes.begin() + static_cast<std::ptrdiff_t>(json->start);
        const nlohmann::json parsed =
            nlohmann::json::parse(text, text + static_cast<std::ptrdiff_t>(json->length));
        return PlacementProblem(parsed, bin ? bin->length : 0);
    } catch (const nlohmann::json::exception& e) {
        return std::string("the JSON chunk: ") + e.what();
    }
}

}  // namespace gltf
