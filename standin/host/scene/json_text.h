// Pieces of JSON text appended to a buffer, for writers that stream large documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Importing::json {

// A JSON string literal; `utf8` must be UTF-8 (bytes >= 0x80 are copied as they are).
void AppendString(std::string& out, std::string_view utf8);

// The shortest text that reads back as exactly this float; null for infinities and NaN, which
// JSON cannot hold.
void AppendFloat(std::string& out, float value);

void AppendInt(std::string& out, int64_t value);

}  // namespace Importing::json
