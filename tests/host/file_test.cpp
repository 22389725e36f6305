// CreateFileW, WriteFile, CloseHandle and DeleteFileW.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

std::u16string Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
    out.pop_back();
    return out;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE CreateForWriting(const std::string& path, DWORD disposition = CREATE_ALWAYS) {
    return CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

TEST(CreateFileW, CreatesAndReplacesFiles) {
    TempDir dir;
    const std::string path = dir.File("t\xC3\xA9xture.png");  // a non-ASCII name
    HANDLE file = CreateForWriting(path);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_NE(file, nullptr);
    EXPECT_TRUE(WriteAll(file, "a longer first content"));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(Contents(path), "a longer first content");

    file = CreateForWriting(path);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteAll(file, "short"));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(Contents(path), "short");  // truncated, not overwritten in place

    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0644u & ~mask);
}

TEST(CreateFileW, WritesLargeBuffersCompletely) {
    TempDir dir;
    const std::string path = dir.File("big.bin");
    std::string bytes(5 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 + (i >> 13));
    HANDLE file = CreateForWriting(path);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteAll(file, bytes));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(Contents(path), bytes);
}

TEST(CreateFileW, CreateNewRefusesAnExistingFile) {
    TempDir dir;
    const std::string path = dir.File("once");
    HANDLE file = CreateForWriting(path, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(CreateForWriting(path, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

TEST(CreateFileW, OpenExistingFailsForMissingFile) {
    TempDir dir;
    EXPECT_EQ(CreateFileW(Wide(dir.File("missing")).c_str(), GENERIC_READ, 0, nullptr,
                          OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateForWriting(dir.File("no/such/folder/file")), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(CreateFileW, RefusesDirectoriesForWritingAndReading) {
    TempDir dir;
    EXPECT_EQ(CreateForWriting(dir.Path().string()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CreateFileW(Wide(dir.Path().string()).c_str(), GENERIC_READ, 0, nullptr,
                          OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(CreateFileW, RefusesFifoWithoutBlocking) {
    TempDir dir;
    const std::string path = dir.File("pipe");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Run in another thread so that a blocking open fails the test instead of hanging it.
    auto attempt = std::async(std::launch::async, [&] {
        const HANDLE forWriting = CreateForWriting(path);
        const HANDLE forReading =
            CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return forWriting == INVALID_HANDLE_VALUE && forReading == INVALID_HANDLE_VALUE;
    });
    ASSERT_EQ(attempt.wait_for(std::chrono::seconds(10)), std::future_status::ready)
        << "opening a fifo blocked";
    EXPECT_TRUE(attempt.get());
}

TEST(CreateFileW, RefusesDevices) {
    EXPECT_EQ(CreateForWriting("/dev/null", OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(CreateFileW, RefusesPathsWithUnpairedSurrogates) {
    TempDir dir;
    std::u16string path = Wide(dir.File("x"));
    path += char16_t(0xD800);
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(WriteFile, RefusesInvalidHandles) {
    DWORD written = 99;
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(WriteFile(nullptr, "x", 1, &written, nullptr));
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(CloseHandle(nullptr));
}

TEST(DeleteFileW, RemovesFilesOnly) {
    TempDir dir;
    const std::string path = dir.File("gone");
    CloseHandle(CreateForWriting(path));
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(DeleteFileW(Wide(path).c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(DeleteFileW(Wide(path).c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(Wide(dir.Path().string()).c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
