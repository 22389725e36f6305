#include "TextureFileName.h"

#include <string_view>

#include "MaterialText.h"

namespace Importing {

namespace {

bool IsForbiddenInFileName(char16_t c) {
    return c < 0x20 || std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos;
}

}  // namespace

std::u16string TextureFileStem(const std::u16string& textureFileName, int32_t index,
                               const std::u16string& materialName) {
    const size_t folderEnd = textureFileName.find_last_of(u"/\\");
    std::u16string base =
        folderEnd == std::u16string::npos ? textureFileName : textureFileName.substr(folderEnd + 1);
    const size_t dot = base.rfind(u'.');
    if (dot != std::u16string::npos) base.resize(dot);
    for (char16_t& c : base) {
        if (IsForbiddenInFileName(c)) c = u'_';
    }
    if (base.empty()) base = SanitizeName(materialName);
    return FormatString(u"%d_%s", index, base.c_str());
}

}  // namespace Importing
