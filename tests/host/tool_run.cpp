#include "tool_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "temp_dir.h"

extern char** environ;

namespace {

std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> entries;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (!overrides.contains(entry.substr(0, entry.find('=')))) entries.push_back(entry);
    }
    for (const auto& [name, value] : overrides)
        if (!value.empty()) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
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
    std::vector<std::string> envp = Environment(environment);
    std::vector<char*> argvPointers = Pointers(argv), envpPointers = Pointers(envp);
    pid_t pid;
    const int error = posix_spawn(&pid, program.c_str(), actions.Get(), nullptr,
                                  argvPointers.data(), envpPointers.data());
    if (error != 0) throw std::runtime_error("cannot run " + program + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Slurp(outPath);
    run.err = Slurp(errPath);
    return run;
}
