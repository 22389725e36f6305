#include "strict_json.h"

#include <algorithm>
#include <string>
#include <vector>

#include "malformed_json.h"
#include "refusal.h"

namespace skpm {
namespace {

// The part of the text a JSON parser reads: after a byte order mark, before a NUL byte.
std::string_view ReadablePart(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    return text.substr(0, text.find('\0'));
}

bool RepeatsAKey(const JsonObject& object) {
    // Objects of a model document have a handful of keys: compared pairwise, without allocating.
    constexpr std::size_t kFew = 16;
    if (object.size() <= kFew) {
        std::string_view seen[kFew];
        std::size_t count = 0;
        for (const simdjson::dom::key_value_pair member : object) {
            for (std::size_t k = 0; k < count; ++k) {
                if (seen[k] == member.key) return true;
            }
            seen[count++] = member.key;
        }
        return false;
    }
    std::vector<std::string_view> keys;
    keys.reserve(object.size());
    for (const simdjson::dom::key_value_pair member : object) keys.push_back(member.key);
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

// No object repeats a key and no container lies deeper than kMaxJsonDepth; `depth` counts the
// containers around `value`. Recurses at most kMaxJsonDepth + 1 levels.
bool KeepsTheRules(const Json& value, std::size_t depth) {
    if (value.is_array()) {
        if (depth + 1 > kMaxJsonDepth) return false;
        const JsonArray array = value.get_array().value_unsafe();
        for (const Json item : array) {
            if (!KeepsTheRules(item, depth + 1)) return false;
        }
    } else if (value.is_object()) {
        if (depth + 1 > kMaxJsonDepth) return false;
        const JsonObject object = value.get_object().value_unsafe();
        if (object.size() > 1 && RepeatsAKey(object)) return false;
        for (const simdjson::dom::key_value_pair member : object) {
            if (!KeepsTheRules(member.value, depth + 1)) return false;
        }
    }
    return true;
}

}  // namespace

// simdjson parses a well-formed document many times faster than a SAX lexer, and the readers
// read its DOM directly; whatever it or the rules refuse goes to the SAX parser, which says what
// is wrong and where.
Json ParseStrictJson(std::string_view text, simdjson::dom::parser& parser) {
    const std::string_view readable = ReadablePart(text);
    Json root;
    if (parser.parse(readable.data(), readable.size()).get(root) == simdjson::SUCCESS &&
        KeepsTheRules(root, 0)) {
        return root;
    }
    LocateJsonFault(text);
    // Both parsers see the same JSON; this is for a text that only the SAX parser accepts.
    throw DocumentRefusal(SU_ERROR_SERIALIZATION, "/: not valid JSON");
}

}  // namespace skpm
