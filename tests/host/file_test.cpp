// CreateFileW and WriteFile: replacing a file, and refusing what is not a regular file; CREATE_NEW
// and MoveFileExW, which never follow a link.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileW(fs::path(path).u16string().c_str(), access, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL Move(const std::string& from, const std::string& to, DWORD flags) {
    return MoveFileExW(fs::path(from).u16string().c_str(), fs::path(to).u16string().c_str(), flags);
}

TEST(CreateFileW, ReplacesAFileWithWhatIsWritten) {
    testsupport::TempFolder dir;
    const std::string name = "t\xC3\xA9xture.png", path = dir.File(name);  // not ASCII
    for (const std::string bytes : {"a longer first content", "short"}) {
        const HANDLE file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_NE(file, nullptr);
        DWORD written = 0;
        EXPECT_TRUE(
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        EXPECT_EQ(written, bytes.size());
        EXPECT_TRUE(CloseHandle(file));
        EXPECT_EQ(dir.Read(name), bytes);  // truncated, not overwritten in place
    }
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0644u & ~mask);
}

TEST(CreateFileW, RefusesDirectoriesFifosAndDevicesWithoutBlocking) {
    testsupport::TempFolder dir;
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

// An existing file, a link to one, a dangling link: CREATE_NEW opens none of them and creates
// nothing where a link points.
TEST(CreateFileW, CreateNewRefusesEveryExistingNameAndNeverFollowsALink) {
    testsupport::TempFolder dir;
    const std::string file = dir.Write("file", "mine"), link = dir.File("link"),
                      dangling = dir.File("dangling");
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("nowhere").c_str(), dangling.c_str()), 0);
    for (const std::string& path : {file, link, dangling}) {
        EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE) << path;
        EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS) << path;
    }
    EXPECT_EQ(dir.Read("file"), "mine");
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.File("nowhere"))));
    const HANDLE fresh = Open(dir.File("fresh"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(fresh, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(fresh));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.File("fresh"))));
}

// Replacing a link replaces the link alone; a directory is never replaced, not even an empty one
// by another; without MOVEFILE_REPLACE_EXISTING nothing is.
TEST(MoveFileExW, ReplacesLinksAndFilesButNoDirectory) {
    testsupport::TempFolder dir;
    const std::string target = dir.Write("target", "mine"), link = dir.File("link");
    const std::string folder = dir.File("folder"), empty = dir.File("empty");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    fs::create_directory(folder);
    fs::create_directory(empty);
    dir.Write("new", "new");

    EXPECT_FALSE(Move(dir.File("new"), link, 0));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    for (const std::string& to : {folder, empty}) {
        EXPECT_FALSE(Move(dir.File("new"), to, MOVEFILE_REPLACE_EXISTING)) << to;
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED) << to;
    }
    EXPECT_FALSE(Move(folder, empty, MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(fs::is_directory(folder) && fs::is_directory(empty));
    EXPECT_TRUE(fs::is_symlink(link));

    ASSERT_TRUE(Move(dir.File("new"), link, MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
    EXPECT_EQ(dir.Read("link"), "new");
    EXPECT_FALSE(fs::exists(dir.File("new")));
    EXPECT_EQ(dir.Read("target"), "mine");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_FALSE(Move(dir.File("new"), link, MOVEFILE_REPLACE_EXISTING));  // gone already
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
