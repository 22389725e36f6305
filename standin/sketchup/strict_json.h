// A JSON parser stricter than the format: an object that repeats a key and nesting deeper than a
// model document ever needs are refused, with the place named.
#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace skpm {

using Json = nlohmann::json;

// Deepest nesting of arrays and objects accepted; model documents need under ten levels.
inline constexpr size_t kMaxJsonDepth = 64;

// Parses `text` (UTF-8) into `out`. Throws DocumentRefusal (SU_ERROR_SERIALIZATION) on malformed
// JSON, repeated keys and too deep nesting.
void ParseStrictJson(std::string_view text, Json& out);

}  // namespace skpm
