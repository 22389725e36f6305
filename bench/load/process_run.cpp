#include "process_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace bench {
namespace {

// posix_spawn's file actions, destroyed with the object.
class SilentOutput {
public:
    SilentOutput() {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    ~SilentOutput() { ::posix_spawn_file_actions_destroy(&actions_); }
    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

Record MeasureProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const SilentOutput output;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (const int error =
            ::posix_spawn(&pid, program.c_str(), output.get(), nullptr, argv.data(), environ);
        error != 0) {
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    }
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program + " did not finish with 0 (status " +
                                 std::to_string(status) + ")");
    }
    Record record;
    record.Set("process s", elapsed.count());
    record.Set("peak bytes", double(usage.ru_maxrss) * 1024);  // Linux counts in KiB
    return record;
}

std::string ProgramBesideThisOne(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? name : (self.parent_path() / name).string();
}

}  // namespace bench
