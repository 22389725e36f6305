// The .glb container as written, checked before any reader trusts it: the header, the JSON chunk,
// the binary chunk, and the buffer and bufferViews the JSON places in that chunk.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gltf {

// What is wrong with the bytes of a .glb file, or nothing: a header whose magic, version or
// length disagrees with the file, chunks that are misplaced, misaligned or of the wrong type,
// JSON that does not parse, a buffer without a uri other than the first, a first buffer longer
// than the binary chunk, and a bufferView of it that reaches past the binary chunk.
std::optional<std::string> GlbContainerProblem(const std::vector<unsigned char>& bytes);

}  // namespace gltf
