#include "BitmapWriter.h"

#include <skptext/wide.h>
#include <windows.h>

#include <array>
#include <random>
#include <stdexcept>

namespace Importing {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

using Headers = std::array<uint8_t, kHeadersSize>;

void Put16(Headers& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Headers& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The file header and the information header, little-endian, fields not named stay 0.
Headers MakeHeaders(int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t dataSize) {
    Headers bytes{};
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, dataSize + kHeadersSize);
    Put32(bytes, 10, kHeadersSize);  // offset of the pixel data
    Put32(bytes, 14, kInfoHeaderSize);
    Put32(bytes, 18, static_cast<uint32_t>(width));
    Put32(bytes, 22, 0u - static_cast<uint32_t>(height));  // negative: rows run top to bottom
    Put16(bytes, 26, 1);                                   // planes
    Put16(bytes, 28, bitsPerPixel);
    Put32(bytes, 34, dataSize);
    return bytes;
}

// Owns an open file handle; closing reports whether everything written reached the file.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Write(const void* data, uint32_t size) {
        DWORD written = 0;
        return WriteFile(handle_, data, size, &written, nullptr) != FALSE && written == size;
    }
    bool Close() {
        if (!IsOpen()) return true;
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// A planted name only costs another try; this many in a row means someone is claiming them all.
constexpr int kFreshNameAttempts = 16;

// "<folder of path>SkpReader-<16 hex digits>.tmp": random, so that no one can claim it ahead of
// the write, and independent of the final name, which may already be as long as a name can be.
// Empty when there is no source of randomness.
std::u16string FreshName(const std::u16string& path) {
    uint64_t tag = 0;
    try {
        std::random_device random;
        tag = uint64_t{random()} << 32 | random();
    } catch (const std::runtime_error&) {
        return {};
    }
    std::u16string name = path.substr(0, path.find_last_of(u"/\\") + 1) + u"SkpReader-";
    for (int shift = 60; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(tag >> shift) & 0xF];
    return name + u".tmp";
}

// A file of our own making under a fresh name beside `path`, open for writing; `fresh` receives
// its name. CREATE_NEW fails on any existing entry, a link included, rather than open it.
HANDLE CreateFreshFile(const std::u16string& path, std::u16string& fresh) {
    for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
        fresh = FreshName(path);
        if (fresh.empty()) break;
        const HANDLE file = CreateFileW(skptext::Wide(fresh), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool WriteBitmapFile(const std::u16string& path, int32_t width, int32_t height,
                     uint16_t bitsPerPixel, uint32_t dataSize, const uint8_t* data) {
    if (path.empty() || dataSize > UINT32_MAX - kHeadersSize || (dataSize > 0 && data == nullptr))
        return false;
    const Headers headers = MakeHeaders(width, height, bitsPerPixel, dataSize);
    std::u16string fresh;
    FileHandle file(CreateFreshFile(path, fresh));
    if (!file.IsOpen()) return false;
    bool complete = file.Write(headers.data(), kFileHeaderSize) &&
                    file.Write(headers.data() + kFileHeaderSize, kInfoHeaderSize);
    if (complete && dataSize > 0) complete = file.Write(data, dataSize);
    complete = file.Close() && complete;
    // Only a whole bitmap takes the name, replacing whatever had it (a link or a pipe included)
    // without opening it, so a reader sees the old entry or the whole new file.
    complete = complete && MoveFileExW(skptext::Wide(fresh), skptext::Wide(path),
                                       MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!complete) DeleteFileW(skptext::Wide(fresh));
    return complete;
}

}  // namespace Importing
