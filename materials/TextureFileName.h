#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Importing {

// Every extension a texture file gets (".png", ".jpg", ".bmp") is this long.
constexpr std::size_t kTextureExtensionLength = 4;
// The longest file name, in UTF-8 bytes, that common file systems take (NAME_MAX on Linux).
constexpr std::size_t kMaxFileNameBytes = 255;

// The stem of the file a texture is exported to: "<index>_<base name>". The base name is the
// texture's file name without its folders and without the part from its last '.'; when that is
// empty, the sanitised material name is used. Control characters, lone surrogates and
// < > : " | ? * become '_', and the base is cut (never inside a character) so that the stem with
// its extension stays within kMaxFileNameBytes. The result names a file in the export folder
// itself: it holds no separator and, being prefixed, is never "." or ".." or a reserved name.
std::u16string TextureFileStem(const std::u16string& textureFileName, int32_t index,
                               const std::u16string& materialName);

}  // namespace Importing
