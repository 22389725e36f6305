// Writing a whole file in place of whatever bears its name, safely in a folder others share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace skpm {

// Writes `size` bytes as the file `path` (UTF-8): first under a fresh name in the same folder,
// created exclusively and never through a link, then renamed over `path`. Whatever had the name
// (an older file, a link, a pipe) is replaced, never opened or written through, and a reader sees
// either it or the whole new file. False when any step fails (no permission, a folder of that
// name, a full disk); then nothing of the write is left behind.
bool ReplaceFileWith(const std::string& path, const uint8_t* bytes, size_t size);

}  // namespace skpm
