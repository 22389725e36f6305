#include "TextureFileName.h"

#include <string_view>

#include "MaterialText.h"

namespace Importing {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// C0 and C1 controls and DEL, and what Windows refuses in a file name.
bool IsForbiddenInFileName(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) ||
           std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos;
}

// Replaces forbidden characters and lone surrogates; a valid pair stays as it is.
void ReplaceUnsafe(std::u16string& base) {
    for (size_t i = 0; i < base.size(); ++i) {
        char16_t& c = base[i];
        if (IsHighSurrogate(c) && i + 1 < base.size() && IsLowSurrogate(base[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || IsForbiddenInFileName(c)) {
            c = u'_';
        }
    }
}

// Cuts `text` (already free of lone surrogates) to at most `maxBytes` bytes of UTF-8, keeping
// whole characters.
void TruncateUtf8(std::u16string& text, size_t maxBytes) {
    size_t bytes = 0;
    for (size_t i = 0; i < text.size();) {
        const bool pair = IsHighSurrogate(text[i]);
        const size_t size = pair ? 4 : text[i] < 0x80 ? 1 : text[i] < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes) {
            text.resize(i);
            return;
        }
        bytes += size;
        i += pair ? 2 : 1;
    }
}

}  // namespace

std::u16string TextureFileStem(const std::u16string& textureFileName, int32_t index,
                               const std::u16string& materialName) {
    const size_t folderEnd = textureFileName.find_last_of(u"/\\");
    std::u16string base =
        folderEnd == std::u16string::npos ? textureFileName : textureFileName.substr(folderEnd + 1);
    const size_t dot = base.rfind(u'.');
    if (dot != std::u16string::npos) base.resize(dot);
    if (base.empty()) base = SanitizeName(materialName);  // keeps white space, tabs included
    ReplaceUnsafe(base);
    const std::u16string prefix = FormatString(u"%d_", index);  // ASCII: one byte a character
    TruncateUtf8(base, kMaxFileNameBytes - kTextureExtensionLength - prefix.size());
    return prefix + base;
}

}  // namespace Importing
