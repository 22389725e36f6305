#include "PathText.h"

#include <skptext/utf.h>
#include <skptext/wide.h>
#include <windows.h>

#if defined(_WIN32)
#include <stdlib.h>  // _wsplitpath_s
#else
#include <crt_wide.h>
#endif

#include <optional>
#include <stdexcept>
#include <vector>

namespace Importing {

std::u16string GetFileBaseName(const std::u16string& path) {
    std::vector<char16_t> name(path.size() + 1);
    if (_wsplitpath_s(skptext::Wide(path), nullptr, 0, nullptr, 0, skptext::Wide(name.data()),
                      name.size(), nullptr, 0) != 0) {
        return {};
    }
    return name.data();
}

std::u16string GetTempFolder() {
    WCHAR buffer[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return std::u16string(skptext::FromWide(buffer, length));
}

std::string PathToUtf8(const std::u16string& path) {
    // Strict: a path that is not valid UTF-16 is refused, as the standard conversion refuses it.
    std::optional<std::string> utf8 = skptext::ToUtf8Strict(path);
    if (!utf8) throw std::range_error("wstring_convert::to_bytes");
    return std::move(*utf8);
}

}  // namespace Importing
