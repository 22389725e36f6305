// The value held by a typed value, an attribute or a rendering option.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace skpm {

// monostate is the empty value; strings are UTF-8.
using Value = std::variant<std::monostate, bool, int32_t, double, std::string>;

}  // namespace skpm
