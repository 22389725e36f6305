#include "skptext/file_path.h"

#include "skptext/utf.h"
#include "skptext/wide.h"

namespace skptext {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
#if defined(_WIN32)
    return PathFromUtf16(ToUtf16(utf8));
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

std::filesystem::path PathFromUtf16(std::u16string_view utf16) {
#if defined(_WIN32)
    return std::filesystem::path(std::wstring(Wide(utf16.data()), utf16.size()));
#else
    return std::filesystem::path(ToUtf8(utf16));
#endif
}

std::string PathToUtf8(const std::filesystem::path& path) {
#if defined(_WIN32)
    const std::wstring& native = path.native();
    return ToUtf8(FromWide(native.data(), native.size()));
#else
    return path.native();
#endif
}

std::FILE* OpenFile(std::string_view utf8Path, const char* mode) {
#if defined(_WIN32)
    const std::u16string wideMode = ToUtf16(mode);
    return ::_wfopen(Wide(ToUtf16(utf8Path)), Wide(wideMode));
#else
    return std::fopen(std::string(utf8Path).c_str(), mode);
#endif
}

size_t FileNameStart(std::string_view path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

size_t FileNameStart(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? 0 : separator + 1;
}

}  // namespace skptext
