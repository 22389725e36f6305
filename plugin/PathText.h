#pragma once

#include <string>

namespace Importing {

// The file-name part of a Windows-style path, without folders and without extension.
std::u16string GetFileBaseName(const std::u16string& path);
// The user's temporary folder, ending with a separator; empty when it cannot be had in
// MAX_PATH characters.
std::u16string GetTempFolder();
// The standard UTF-16 to UTF-8 conversion; throws std::range_error on an unpaired surrogate.
std::string PathToUtf8(const std::u16string& path);

}  // namespace Importing
