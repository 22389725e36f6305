#include "tool_run.h"

#if !defined(_WIN32)  // tool_run_windows.cpp runs tools there

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "temp_folder.h"

extern char** environ;

namespace testsupport {
namespace {

// Owns the spawn's file actions.
class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// The test's environment with the overrides applied, as "NAME=value" texts.
std::vector<std::string> ChildEnvironment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (overrides.count(text.substr(0, text.find('='))) == 0) entries.push_back(text);
    }
    for (const auto& [name, value] : overrides) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for the child until the deadline; kills it past that.
int WaitWithLimit(pid_t pid, std::chrono::seconds limit, bool& timedOut) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const ToolOptions& options) {
    // Output goes to files: two pipes read one after the other could fill and deadlock.
    const TempFolder output("tool-run-");
    const std::string outPath = output.File("out"), errPath = output.File("err");
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.Get(), 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(actions.Get(), 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    if (!options.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(actions.Get(), options.workingFolder.c_str());

    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = ChildEnvironment(options.environment);
    std::vector<char*> argvPointers = Pointers(argv), environmentPointers = Pointers(environment);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), actions.Get(), nullptr,
                                  argvPointers.data(), environmentPointers.data());
    if (error != 0) throw std::runtime_error("cannot run " + program + ": " + strerror(error));
    ToolRun result;
    result.exitCode = WaitWithLimit(pid, options.limit, result.timedOut);
    result.out = output.Read("out");
    result.err = output.Read("err");
    return result;
}

}  // namespace testsupport

#endif
