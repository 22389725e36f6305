#include "test_platform.h"

#include <skptext/file_path.h>
#include <skptext/utf.h>
#include <skptext/wide.h>

#if defined(_WIN32)
#include <process.h>
#include <stdlib.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <system_error>

namespace testsupport {

#if defined(_WIN32)
const char* const kTempFolderVariable = "TMP";
#else
const char* const kTempFolderVariable = "TMPDIR";
#endif

std::optional<std::string> GetEnv(const std::string& name) {
#if defined(_WIN32)
    const std::u16string wideName = skptext::ToUtf16(name);
    const wchar_t* value = ::_wgetenv(skptext::Wide(wideName));
    if (value == nullptr) return std::nullopt;
    return skptext::ToUtf8(skptext::FromWide(value));
#else
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
#endif
}

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
#if defined(_WIN32)
    // The C runtime's copy and the process's own block, which GetTempPathW and children read.
    const std::u16string wideName = skptext::ToUtf16(name);
    const std::u16string wideValue = value ? skptext::ToUtf16(*value) : u"";
    ::_wputenv_s(skptext::Wide(wideName), skptext::Wide(wideValue));
    ::SetEnvironmentVariableW(skptext::Wide(wideName), value ? skptext::Wide(wideValue) : nullptr);
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

namespace {

int ProcessId() {
#if defined(_WIN32)
    return ::_getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

}  // namespace

std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent,
                                       const std::string& prefix) {
    static std::atomic<unsigned> counter = 0;
    std::mt19937 random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ (ProcessId() << 16)));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = std::to_string(ProcessId()) + "-" + std::to_string(counter++) +
                                   "-" + std::to_string(random() % 1000000);
        const std::filesystem::path folder = parent / PathOf(prefix + suffix);
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder;
        if (error) throw std::system_error(error, "cannot create " + Utf8(folder));
    }
    throw std::runtime_error("no unique folder name found in " + Utf8(parent));
}

#if defined(_WIN32)
const char* const kDevicePath = "NUL";

WaitingPipe::WaitingPipe(const std::filesystem::path&) {
    static std::atomic<unsigned> counter = 0;
    path_ =
        "\\\\.\\pipe\\skp-test-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
    const std::u16string name = skptext::ToUtf16(path_);
    handle_ = ::CreateNamedPipeW(skptext::Wide(name), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0,
                                 0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path_);
}

WaitingPipe::~WaitingPipe() {
    ::CloseHandle(handle_);
}
#else
const char* const kDevicePath = "/dev/zero";

WaitingPipe::WaitingPipe(const std::filesystem::path& folder)
    : path_(Utf8(folder / "waiting-pipe")) {
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("cannot create " + path_);
}

WaitingPipe::~WaitingPipe() {
    ::unlink(path_.c_str());
}
#endif

std::string Utf8(const std::filesystem::path& path) {
    return skptext::PathToUtf8(path);
}

std::filesystem::path PathOf(const std::string& utf8) {
    return skptext::PathFromUtf8(utf8);
}

}  // namespace testsupport
