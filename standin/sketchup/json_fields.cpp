#include "json_fields.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "refusal.h"

namespace skpm {
namespace {

using Type = simdjson::dom::element_type;

std::string Found(const Json& node) {
    switch (node.type()) {
        case Type::NULL_VALUE:
            return "found null";
        case Type::BOOL:
            return "found true or false";
        case Type::STRING:
            return "found a string";
        case Type::ARRAY:
            return "found an array";
        case Type::OBJECT:
            return "found an object";
        case Type::DOUBLE:
            return "found a number with a fraction or exponent";
        default:
            return "found a number";
    }
}

[[noreturn]] void Expected(const Json& node, const Place& where, std::string_view what) {
    Refuse(where, "expected " + std::string(what) + ", " + Found(node));
}

std::string KeyList(const std::string_view* keys, size_t count) {
    std::string list;
    for (size_t k = 0; k < count; ++k) {
        if (!list.empty()) list += ", ";
        list += keys[k];
    }
    return list;
}

}  // namespace

Fields::Fields(const Json& node, const Place& where,
               std::initializer_list<std::string_view> allowed)
    : where_(where) {
    if (allowed.size() > kMaxKeys) throw std::logic_error("Fields: too many keys");
    for (std::string_view name : allowed) names_[count_++] = name;
    if (!node.is_object()) Expected(node, where_, "an object");
    // Of several unknown keys the first in sorted order is named, whatever the document's order.
    std::string_view unknown;
    bool anyUnknown = false;
    const JsonObject object = node.get_object().value_unsafe();
    for (const simdjson::dom::key_value_pair member : object) {
        const auto name = std::find(names_.begin(), names_.begin() + count_, member.key);
        if (name != names_.begin() + count_) {
            const size_t k = static_cast<size_t>(name - names_.begin());
            values_[k] = member.value;
            present_[k] = true;
        } else if (!anyUnknown || member.key < unknown) {
            unknown = member.key;
            anyUnknown = true;
        }
    }
    if (anyUnknown) {
        Refuse(Place(where_, unknown),
               "unknown key (known: " + KeyList(names_.data(), count_) + ")");
    }
}

const Json* Fields::Find(std::string_view key) const {
    for (size_t k = 0; k < count_; ++k) {
        if (names_[k] == key) return present_[k] ? &values_[k] : nullptr;
    }
    return nullptr;
}

const Json& Fields::Require(std::string_view key) const {
    const Json* value = Find(key);
    if (value == nullptr) Refuse(where_, "missing key \"" + std::string(key) + "\"");
    return *value;
}

JsonArray ReadArray(const Json& node, const Place& where) {
    if (!node.is_array()) Expected(node, where, "an array");
    return node.get_array().value_unsafe();
}

std::string ReadString(const Json& node, const Place& where) {
    if (!node.is_string()) Expected(node, where, "a string");
    return std::string(node.get_string().value_unsafe());
}

bool ReadBool(const Json& node, const Place& where) {
    if (!node.is_bool()) Expected(node, where, "true or false");
    return node.get_bool().value_unsafe();
}

bool IsInteger(const Json& node) {
    return node.type() == Type::INT64 || node.type() == Type::UINT64;
}

std::string IntegerText(const Json& node) {
    return node.type() == Type::UINT64 ? std::to_string(node.get_uint64().value_unsafe())
                                       : std::to_string(node.get_int64().value_unsafe());
}

int64_t ReadInteger(const Json& node, const Place& where, int64_t low, int64_t high) {
    if (!IsInteger(node)) Expected(node, where, "an integer");
    // Literals above the largest signed 64-bit value are above every range.
    const bool inRange = node.type() == Type::INT64 && node.get_int64().value_unsafe() >= low &&
                         node.get_int64().value_unsafe() <= high;
    if (!inRange) {
        Refuse(where, IntegerText(node) + " is out of range (" + std::to_string(low) + " to " +
                          std::to_string(high) + ")");
    }
    return node.get_int64().value_unsafe();
}

double ReadNumber(const Json& node, const Place& where) {
    switch (node.type()) {
        case Type::DOUBLE:
            return node.get_double().value_unsafe();
        case Type::INT64:
            return static_cast<double>(node.get_int64().value_unsafe());
        case Type::UINT64:
            return static_cast<double>(node.get_uint64().value_unsafe());
        default:
            Expected(node, where, "a number");
    }
}

Vec3 ReadTriple(const Json& node, const Place& where) {
    const JsonArray items = ReadArray(node, where);
    if (items.size() != 3)
        Refuse(where, "expected 3 numbers, found " + std::to_string(items.size()));
    double values[3];
    size_t i = 0;
    for (const Json item : items) {
        values[i] = ReadNumber(item, Place(where, i));
        ++i;
    }
    return Vec3{values[0], values[1], values[2]};
}

std::vector<Vec3> ReadTriples(const Json& node, const Place& where) {
    const JsonArray items = ReadArray(node, where);
    std::vector<Vec3> triples;
    triples.reserve(items.size());
    for (const Json item : items) triples.push_back(ReadTriple(item, Place(where, triples.size())));
    return triples;
}

SUTransformation ReadTransform(const Json& node, const Place& where) {
    const JsonArray items = ReadArray(node, where);
    if (items.size() != 16) {
        Refuse(where, "expected 16 numbers, found " + std::to_string(items.size()));
    }
    SUTransformation transform{};
    size_t i = 0;
    for (const Json item : items) {
        transform.values[i] = ReadNumber(item, Place(where, i));
        ++i;
    }
    return transform;
}

Value ReadTypedValue(const Json& node, const Place& where) {
    switch (node.type()) {
        case Type::BOOL:
            return node.get_bool().value_unsafe();
        case Type::INT64:
        case Type::UINT64: {
            constexpr auto kLow = std::numeric_limits<int32_t>::min();
            constexpr auto kHigh = std::numeric_limits<int32_t>::max();
            return static_cast<int32_t>(ReadInteger(node, where, kLow, kHigh));
        }
        case Type::DOUBLE:
            return node.get_double().value_unsafe();
        case Type::STRING:
            return std::string(node.get_string().value_unsafe());
        default:
            Expected(node, where, "true, false, a number or a string");
    }
}

std::map<std::string, Value> ReadValueMap(const Json& node, const Place& where) {
    if (!node.is_object()) Expected(node, where, "an object");
    // Read in the order of the keys, so that of several faulty values the first key's is named.
    std::vector<std::pair<std::string_view, Json>> members;
    const JsonObject object = node.get_object().value_unsafe();
    for (const simdjson::dom::key_value_pair member : object) {
        members.emplace_back(member.key, member.value);
    }
    std::sort(members.begin(), members.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::map<std::string, Value> values;
    for (const auto& [key, value] : members) {
        values.emplace(key, ReadTypedValue(value, Place(where, key)));
    }
    return values;
}

FailSet ReadFailList(const Json& node, const Place& where, FailOwner owner) {
    FailSet fails;
    size_t i = 0;
    for (const Json item : ReadArray(node, where)) {
        const Place at(where, i++);
        const std::string name = ReadString(item, at);
        const auto point = FindFailPoint(name);
        if (!point) Refuse(at, name + " is not a function that can be made to fail");
        if (!FailPointAppliesTo(*point, owner))
            Refuse(at, name + " is never asked about this object");
        fails.Add(*point);
    }
    return fails;
}

}  // namespace skpm
