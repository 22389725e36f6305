// CreateFileW and WriteFile: replacing a file, and refusing what is not a regular file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>

#include "temp_dir.h"

namespace {

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileW(std::filesystem::path(path).u16string().c_str(), access, 0, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(CreateFileW, ReplacesAFileWithWhatIsWritten) {
    TempDir dir;
    const std::string path = dir.File("t\xC3\xA9xture.png");  // a non-ASCII name
    for (const std::string bytes : {"a longer first content", "short"}) {
        const HANDLE file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_NE(file, nullptr);
        DWORD written = 0;
        EXPECT_TRUE(
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        EXPECT_EQ(written, bytes.size());
        EXPECT_TRUE(CloseHandle(file));
        std::ostringstream contents;
        contents << std::ifstream(path, std::ios::binary).rdbuf();
        EXPECT_EQ(contents.str(), bytes);  // truncated, not overwritten in place
    }
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0644u & ~mask);
}

TEST(CreateFileW, RefusesDirectoriesFifosAndDevicesWithoutBlocking) {
    TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.Path().string(), fifo, std::string("/dev/null")}) {
        // In another thread, so that an open that blocks fails the test instead of hanging it.
        auto attempt = std::async(std::launch::async, [&] {
            const bool refused = Open(path, GENERIC_WRITE, CREATE_ALWAYS) == INVALID_HANDLE_VALUE &&
                                 Open(path, GENERIC_READ, OPEN_EXISTING) == INVALID_HANDLE_VALUE;
            return refused && GetLastError() == ERROR_ACCESS_DENIED;
        });
        ASSERT_EQ(attempt.wait_for(std::chrono::seconds(10)), std::future_status::ready)
            << "opening " << path << " blocked";
        EXPECT_TRUE(attempt.get()) << path;
    }
}

}  // namespace
