// A JSON parser stricter than the format: an object that repeats a key and nesting deeper than a
// model document ever needs are refused, with the place named.
#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "json_arena.h"

namespace skpm {

// A DOM whose nodes live in the parsing thread's JsonArena.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, double, ArenaAllocator>;

// Deepest nesting of arrays and objects accepted; model documents need under ten levels.
inline constexpr size_t kMaxJsonDepth = 64;

// Parses `text` (UTF-8) into `out`; a JsonArena must be alive on this thread for as long as
// `out` is. Throws DocumentRefusal (SU_ERROR_SERIALIZATION) on malformed JSON, repeated keys and
// too deep nesting.
void ParseStrictJson(std::string_view text, Json& out);

}  // namespace skpm
