// How the document reader says no: an exception carrying the API result and a reason that names
// the place, caught at the C API boundary and kept for SKPMGetLastOpenError.
#pragma once

#include <SketchUpAPI/common.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "place.h"

namespace skpm {

class DocumentRefusal : public std::runtime_error {
public:
    DocumentRefusal(SUResult code, const std::string& reason)
        : std::runtime_error(reason), code_(code) {}
    SUResult code() const { return code_; }

private:
    SUResult code_;
};

// `where` is a JSON pointer into the document ("" for the document itself).
[[noreturn]] void Refuse(std::string_view where, std::string_view what,
                         SUResult code = SU_ERROR_MODEL_INVALID);
[[noreturn]] void Refuse(const Place& where, std::string_view what,
                         SUResult code = SU_ERROR_MODEL_INVALID);

// JSON pointer of a member or an element below `path`.
std::string Child(std::string_view path, std::string_view key);
std::string Child(std::string_view path, size_t index);

}  // namespace skpm
