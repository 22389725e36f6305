// Reading whole files safely: only regular files, never blocking on a pipe or device, and never
// more than a given size.
#pragma once

#include <cstddef>
#include <string>

namespace skpm {

// Reads the regular file at `path` (UTF-8) into `bytes`. On failure returns false and sets
// `reason` (e.g. "no such file", "is a directory", "larger than 1024 MiB").
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes,
                     std::string& reason);

// True when `bytes` start like a file saved by SketchUp itself.
bool IsSketchUpBinary(const std::string& bytes);

}  // namespace skpm
