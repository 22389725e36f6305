// Files named by UTF-8 text. Windows reads a narrow path in the ANSI code page, so there the name
// goes to the wide calls instead; elsewhere the UTF-8 bytes are the name. Every file is opened in
// binary mode: no platform translates line ends in what we read or write.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace skptext {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::filesystem::path PathFromUtf16(std::u16string_view utf16);
std::string PathToUtf8(const std::filesystem::path& path);

// fopen with `mode` ("rb", "wb", ...: give the "b"); null with errno set on failure.
std::FILE* OpenFile(std::string_view utf8Path, const char* mode);

// Where the folder part of a path ends: one past its last '\\' or '/' (both separate folders on
// Windows, and a name from a Windows model may hold either), 0 when it has none.
size_t FileNameStart(std::string_view path);
size_t FileNameStart(std::u16string_view path);

}  // namespace skptext
