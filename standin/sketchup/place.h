// Where a value sits in the document, kept as a chain of stack objects so that reading costs no
// allocation; the JSON pointer text is built only when a refusal needs it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skpm {

class Place {
public:
    Place() = default;  // the document itself
    // A member or an element of `parent`, which must outlive this place (as must `key`).
    Place(const Place& parent, std::string_view key) : parent_(&parent), key_(key), kind_(kKey) {}
    Place(const Place& parent, size_t index) : parent_(&parent), index_(index), kind_(kIndex) {}

    std::string Text() const;  // "" for the document itself

private:
    enum Kind { kRoot, kKey, kIndex };
    const Place* parent_ = nullptr;
    std::string_view key_;
    size_t index_ = 0;
    Kind kind_ = kRoot;
};

}  // namespace skpm
