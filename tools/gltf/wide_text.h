// The scene's UTF-16 names as glTF's UTF-8, through the Windows layer's strict conversion.
#pragma once

#include <string>

namespace gltf {

// An unpaired surrogate becomes U+FFFD.
std::string Utf8Name(const std::u16string& text);

}  // namespace gltf
