// Typed, place-aware access to the parsed document: every read either answers a value of the
// expected type and range or refuses the document naming the place.
#pragma once

#include <SketchUpAPI/transformation.h>

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

// A JSON object at `where` whose keys must all be among `allowed`.
class Fields {
public:
    Fields(const Json& node, std::string where, std::initializer_list<std::string_view> allowed);

    const Json* Find(std::string_view key) const;  // null when absent
    const Json& Require(std::string_view key) const;
    std::string At(std::string_view key) const { return Child(where_, key); }
    const std::string& where() const { return where_; }

private:
    const Json& node_;
    std::string where_;
};

const Json::array_t& ReadArray(const Json& node, std::string_view where);
std::string ReadString(const Json& node, std::string_view where);
bool ReadBool(const Json& node, std::string_view where);
// An integer literal within [low, high].
int64_t ReadInteger(const Json& node, std::string_view where, int64_t low, int64_t high);
// Any number (integer or not); JSON cannot hold infinities.
double ReadNumber(const Json& node, std::string_view where);
Vec3 ReadTriple(const Json& node, std::string_view where);
std::vector<Vec3> ReadTriples(const Json& node, std::string_view where);
SUTransformation ReadTransform(const Json& node, std::string_view where);
// true/false, a 32-bit integer literal, a number with a fraction or exponent, or a string.
Value ReadTypedValue(const Json& node, std::string_view where);
// An object of typed values, keyed by name.
std::map<std::string, Value> ReadValueMap(const Json& node, std::string_view where);
FailSet ReadFailList(const Json& node, std::string_view where, FailOwner owner);

}  // namespace skpm
