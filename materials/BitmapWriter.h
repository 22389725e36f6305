#pragma once

#include <cstdint>
#include <string>

namespace Importing {

// Writes an uncompressed top-down bitmap of `data` exactly as given (no row padding is added:
// only 32-bit images are written this way). The bitmap is written under a fresh name in the same
// folder and then takes the name of `path`, replacing whatever had it without writing through it.
// False when the file cannot be written completely; then nothing of it is left behind.
bool WriteBitmapFile(const std::u16string& path, int32_t width, int32_t height,
                     uint16_t bitsPerPixel, uint32_t dataSize, const uint8_t* data);

}  // namespace Importing
