#pragma once

#include <cstdint>
#include <string>

namespace Importing {

// The stem of the file a texture is exported to: "<index>_<base name>". The base name is the
// texture's file name without its folders and without the part from its last '.', with control
// characters and < > : " | ? * replaced by '_', so the file lands in the export folder under a
// name every file system takes. When that base name is empty, the sanitised material name is used.
std::u16string TextureFileStem(const std::u16string& textureFileName, int32_t index,
                               const std::u16string& materialName);

}  // namespace Importing
