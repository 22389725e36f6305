#include "BitmapWriter.h"

#include <skptext/Wide.h>
#include <windows.h>

#include <array>

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

}  // namespace

bool WriteBitmapFile(const std::u16string& path, int32_t width, int32_t height,
                     uint16_t bitsPerPixel, uint32_t dataSize, const uint8_t* data) {
    if (dataSize > UINT32_MAX - kHeadersSize || (dataSize > 0 && data == nullptr)) return false;
    const Headers headers = MakeHeaders(width, height, bitsPerPixel, dataSize);
    FileHandle file(CreateFileW(skptext::Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    bool complete = file.Write(headers.data(), kFileHeaderSize) &&
                    file.Write(headers.data() + kFileHeaderSize, kInfoHeaderSize);
    if (complete && dataSize > 0) complete = file.Write(data, dataSize);
    complete = file.Close() && complete;
    // A bitmap cut short would be taken for a whole one by whoever opens it later.
    if (!complete) DeleteFileW(skptext::Wide(path));
    return complete;
}

}  // namespace Importing
