// ReplaceFileWith through the Windows calls: CREATE_NEW under a fresh name, never opening what
// exists, then MoveFileExW over the name; the UTF-8 path goes to the wide calls.
#if defined(_WIN32)

#include <skptext/file_path.h>
#include <skptext/utf.h>
#include <skptext/wide.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>

#include "replace_file.h"

namespace skpm {
namespace {

// A planted name only costs another try; this many in a row means someone is claiming them all.
constexpr int kFreshNameAttempts = 16;

// "<folder of path>SketchUpAPI-<16 hex digits>.tmp": random, so that no one can claim it ahead of
// the write, and independent of the final name, which may already be as long as a name can be.
bool FreshName(const std::u16string& path, std::u16string& fresh) {
    uint64_t tag = 0;
    try {
        std::random_device random;
        tag = uint64_t{random()} << 32 | random();
    } catch (const std::exception&) {
        return false;
    }
    char name[40];
    std::snprintf(name, sizeof name, "SketchUpAPI-%016llx.tmp",
                  static_cast<unsigned long long>(tag));
    fresh = path.substr(0, skptext::FileNameStart(path)) + skptext::ToUtf16(name);
    return true;
}

HANDLE CreateFresh(const std::u16string& path, std::u16string& fresh) {
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        if (!FreshName(path, fresh)) break;
        const HANDLE file = ::CreateFileW(skptext::Wide(fresh), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const uint8_t* bytes, size_t size) {
    size_t written = 0;
    while (written < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - written, 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(file, bytes + written, chunk, &done, nullptr) || done == 0) return false;
        written += done;
    }
    return true;
}

}  // namespace

bool ReplaceFileWith(const std::string& path, const uint8_t* bytes, size_t size) {
    bool replaced = false;
    const std::u16string wide = skptext::ToUtf16(path, &replaced);
    if (replaced || wide.empty()) return false;  // no file has a name that is not text
    std::u16string fresh;
    const HANDLE file = CreateFresh(wide, fresh);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool complete = WriteAll(file, bytes, size);
    complete = ::CloseHandle(file) && complete;
    complete = complete &&
               ::MoveFileExW(skptext::Wide(fresh), skptext::Wide(wide), MOVEFILE_REPLACE_EXISTING);
    if (!complete) ::DeleteFileW(skptext::Wide(fresh));
    return complete;
}

}  // namespace skpm

#endif  // _WIN32
