// A JSON parser stricter than the format: an object that repeats a key and nesting deeper than a
// model document ever needs are refused, with the place named.
#pragma once

#include <simdjson.h>

#include <cstddef>
#include <string_view>

namespace skpm {

// A value of a parsed document: simdjson's DOM, valid while the parser that made it lives and
// parses nothing else.
using Json = simdjson::dom::element;
using JsonArray = simdjson::dom::array;
using JsonObject = simdjson::dom::object;

// Deepest nesting of arrays and objects accepted; model documents need under ten levels.
inline constexpr size_t kMaxJsonDepth = 64;

// Parses `text` (UTF-8) with `parser` and answers the document's root. Throws DocumentRefusal
// (SU_ERROR_SERIALIZATION) on malformed JSON, repeated keys and too deep nesting. As JSON
// parsers commonly do, a byte order mark before the text is skipped and a NUL byte ends it.
Json ParseStrictJson(std::string_view text, simdjson::dom::parser& parser);

}  // namespace skpm
