// What the tests need from the operating system, the same on POSIX and on Windows: the process
// environment, the variable the temporary folder comes from, unique folders and the process id.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace testsupport {

// Where the system's temporary folder comes from: TMPDIR on POSIX; TMP on Windows, the first
// variable GetTempPathW reads.
extern const char* const kTempFolderVariable;

// Environment variables hold UTF-8 here; on Windows they are set in their wide form, which the
// C runtime, the Windows calls and child processes all see.
std::optional<std::string> GetEnv(const std::string& name);
// Sets `name` to `value`, or removes it when there is no value.
void SetEnv(const std::string& name, const std::optional<std::string>& value);

// Creates a folder named `prefix` and a suffix no other folder in `parent` has; returns its path.
std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent,
                                       const std::string& prefix);

// A pipe nobody writes into, for readers that must refuse it without waiting for a writer: a
// FIFO on POSIX, a named pipe waiting for its client on Windows. Removed with the object.
class WaitingPipe {
public:
    explicit WaitingPipe(const std::filesystem::path& folder);
    ~WaitingPipe();
    WaitingPipe(const WaitingPipe&) = delete;
    WaitingPipe& operator=(const WaitingPipe&) = delete;
    const std::string& Path() const { return path_; }  // UTF-8

private:
    std::string path_;
    void* handle_ = nullptr;  // Windows: the server end
};

// A device that is not a file: /dev/zero on POSIX, NUL on Windows.
extern const char* const kDevicePath;

// A path as UTF-8 text, and the reverse (std::filesystem's narrow forms use the ANSI code page on
// Windows).
std::string Utf8(const std::filesystem::path& path);
std::filesystem::path PathOf(const std::string& utf8);

}  // namespace testsupport
