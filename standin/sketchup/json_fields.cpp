#include "json_fields.h"

#include <limits>

#include "refusal.h"

namespace skpm {
namespace {

std::string Found(const Json& node) {
    switch (node.type()) {
        case Json::value_t::null:
            return "found null";
        case Json::value_t::boolean:
            return "found true or false";
        case Json::value_t::string:
            return "found a string";
        case Json::value_t::array:
            return "found an array";
        case Json::value_t::object:
            return "found an object";
        case Json::value_t::number_float:
            return "found a number with a fraction or exponent";
        default:
            return "found a number";
    }
}

[[noreturn]] void Expected(const Json& node, const Place& where, std::string_view what) {
    Refuse(where, "expected " + std::string(what) + ", " + Found(node));
}

std::string KeyList(std::initializer_list<std::string_view> keys) {
    std::string list;
    for (std::string_view key : keys) {
        if (!list.empty()) list += ", ";
        list += key;
    }
    return list;
}

}  // namespace

Fields::Fields(const Json& node, const Place& where,
               std::initializer_list<std::string_view> allowed)
    : node_(node), where_(where) {
    if (!node_.is_object()) Expected(node_, where_, "an object");
    for (const auto& [key, value] : node_.items()) {
        bool known = false;
        for (std::string_view name : allowed) known = known || name == key;
        if (!known) Refuse(Place(where_, key), "unknown key (known: " + KeyList(allowed) + ")");
    }
}

const Json* Fields::Find(std::string_view key) const {
    auto found = node_.find(key);
    return found == node_.end() ? nullptr : &*found;
}

const Json& Fields::Require(std::string_view key) const {
    const Json* value = Find(key);
    if (value == nullptr) Refuse(where_, "missing key \"" + std::string(key) + "\"");
    return *value;
}

const Json::array_t& ReadArray(const Json& node, const Place& where) {
    if (!node.is_array()) Expected(node, where, "an array");
    return node.get_ref<const Json::array_t&>();
}

std::string ReadString(const Json& node, const Place& where) {
    if (!node.is_string()) Expected(node, where, "a string");
    return node.get<std::string>();
}

bool ReadBool(const Json& node, const Place& where) {
    if (!node.is_boolean()) Expected(node, where, "true or false");
    return node.get<bool>();
}

int64_t ReadInteger(const Json& node, const Place& where, int64_t low, int64_t high) {
    if (!node.is_number_integer()) Expected(node, where, "an integer");
    bool inRange;
    if (node.is_number_unsigned()) {  // nlohmann reads every literal without a sign as unsigned
        const uint64_t value = node.get<uint64_t>();
        inRange = high >= 0 && value <= static_cast<uint64_t>(high) &&
                  (low <= 0 || value >= static_cast<uint64_t>(low));
    } else {
        const int64_t value = node.get<int64_t>();
        inRange = value >= low && value <= high;
    }
    if (!inRange) {
        Refuse(where, node.dump() + " is out of range (" + std::to_string(low) + " to " +
                          std::to_string(high) + ")");
    }
    return node.get<int64_t>();
}

double ReadNumber(const Json& node, const Place& where) {
    if (!node.is_number()) Expected(node, where, "a number");
    return node.get<double>();
}

Vec3 ReadTriple(const Json& node, const Place& where) {
    const auto& items = ReadArray(node, where);
    if (items.size() != 3)
        Refuse(where, "expected 3 numbers, found " + std::to_string(items.size()));
    return Vec3{ReadNumber(items[0], Place(where, 0)), ReadNumber(items[1], Place(where, 1)),
                ReadNumber(items[2], Place(where, 2))};
}

std::vector<Vec3> ReadTriples(const Json& node, const Place& where) {
    const auto& items = ReadArray(node, where);
    std::vector<Vec3> triples;
    triples.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        triples.push_back(ReadTriple(items[i], Place(where, i)));
    return triples;
}

SUTransformation ReadTransform(const Json& node, const Place& where) {
    const auto& items = ReadArray(node, where);
    if (items.size() != 16) {
        Refuse(where, "expected 16 numbers, found " + std::to_string(items.size()));
    }
    SUTransformation transform{};
    for (size_t i = 0; i < 16; ++i) transform.values[i] = ReadNumber(items[i], Place(where, i));
    return transform;
}

Value ReadTypedValue(const Json& node, const Place& where) {
    if (node.is_boolean()) return node.get<bool>();
    if (node.is_number_integer()) {
        constexpr auto kLow = std::numeric_limits<int32_t>::min();
        constexpr auto kHigh = std::numeric_limits<int32_t>::max();
        return static_cast<int32_t>(ReadInteger(node, where, kLow, kHigh));
    }
    if (node.is_number_float()) return node.get<double>();
    if (node.is_string()) return node.get<std::string>();
    Expected(node, where, "true, false, a number or a string");
}

std::map<std::string, Value> ReadValueMap(const Json& node, const Place& where) {
    if (!node.is_object()) Expected(node, where, "an object");
    std::map<std::string, Value> values;
    for (const auto& [key, value] : node.items()) {
        values.emplace(key, ReadTypedValue(value, Place(where, key)));
    }
    return values;
}

FailSet ReadFailList(const Json& node, const Place& where, FailOwner owner) {
    FailSet fails;
    const auto& names = ReadArray(node, where);
    for (size_t i = 0; i < names.size(); ++i) {
        const Place at(where, i);
        const std::string name = ReadString(names[i], at);
        const auto point = FindFailPoint(name);
        if (!point) Refuse(at, name + " is not a function that can be made to fail");
        if (!FailPointAppliesTo(*point, owner))
            Refuse(at, name + " is never asked about this object");
        fails.Add(*point);
    }
    return fails;
}

}  // namespace skpm
