// Names what is wrong with a text that is not a strict JSON document, and where.
#pragma once

#include <string_view>

namespace skpm {

// Reads `text` event by event (nlohmann's SAX parser) and throws DocumentRefusal
// (SU_ERROR_SERIALIZATION) with a JSON pointer to the first fault: malformed JSON, an integer
// beyond 64 bits, a repeated key or nesting deeper than kMaxJsonDepth. Returns when it finds
// none.
void LocateJsonFault(std::string_view text);

}  // namespace skpm
