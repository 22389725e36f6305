#include "tool_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "env_guard.h"
#include "temp_dir.h"

extern char** environ;

namespace {

std::string Slurp(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

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

}  // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment) {
    // Output goes to files: two pipes read one after the other could fill and deadlock.
    TempDir dir;
    const std::string outPath = dir.File("out"), errPath = dir.File("err");
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(actions.Get(), 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    EnvGuard env;  // the child inherits the overrides; the test's environment is restored after
    for (const auto& [name, value] : environment) env.Set(name, value);
    pid_t pid;
    const int error =
        posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, pointers.data(), environ);
    if (error != 0) throw std::runtime_error("cannot run " + program + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outPath), Slurp(errPath)};
}
