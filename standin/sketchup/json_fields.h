// Typed, place-aware access to the parsed document: every read either answers a value of the
// expected type and range or refuses the document naming the place.
#pragma once

#include <SketchUpAPI/transformation.h>

#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fail_points.h"
#include "refusal.h"
#include "strict_json.h"
#include "tessellate.h"
#include "typed_value.h"

namespace skpm {

// A JSON object at `where` whose keys must all be among `allowed` (string literals, at most
// kMaxKeys of them).
class Fields {
public:
    static constexpr size_t kMaxKeys = 12;

    Fields(const Json& node, const Place& where, std::initializer_list<std::string_view> allowed);

    const Json* Find(std::string_view key) const;  // null when absent
    const Json& Require(std::string_view key) const;
    Place At(std::string_view key) const { return Place(where_, key); }
    const Place& where() const { return where_; }

private:
    Place where_;
    size_t count_ = 0;
    std::array<std::string_view, kMaxKeys> names_;  // the allowed keys
    std::array<Json, kMaxKeys> values_;             // for each, its value when present
    std::array<bool, kMaxKeys> present_{};
};

JsonArray ReadArray(const Json& node, const Place& where);
std::string ReadString(const Json& node, const Place& where);
bool ReadBool(const Json& node, const Place& where);
// An integer literal within [low, high].
int64_t ReadInteger(const Json& node, const Place& where, int64_t low, int64_t high);
bool IsInteger(const Json& node);
// The literal of an integer value, as the document wrote it.
std::string IntegerText(const Json& node);
// Any number (integer or not); JSON cannot hold infinities.
double ReadNumber(const Json& node, const Place& where);
Vec3 ReadTriple(const Json& node, const Place& where);
std::vector<Vec3> ReadTriples(const Json& node, const Place& where);
SUTransformation ReadTransform(const Json& node, const Place& where);
// true/false, a 32-bit integer literal, a number with a fraction or exponent, or a string.
Value ReadTypedValue(const Json& node, const Place& where);
// An object of typed values, keyed by name.
std::map<std::string, Value> ReadValueMap(const Json& node, const Place& where);
FailSet ReadFailList(const Json& node, const Place& where, FailOwner owner);

}  // namespace skpm
