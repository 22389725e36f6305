#include "child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace bench {
namespace {

constexpr const char* kRecordLine = "record\n";
constexpr const char* kFailureLine = "failed\n";

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

std::runtime_error SystemError(const char* call) {
    return std::runtime_error(std::string(call) + ": " + std::strerror(errno));
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw SystemError("read");
        if (n == 0) return text;
        text.append(buffer, static_cast<size_t>(n));
    }
}

// In the child: never returns. _exit skips the parent's atexit handlers and static destructors,
// which belong to the parent. The first line says whether a record or a failure follows, so
// that a child ending early without either is told apart from an empty record.
[[noreturn]] void ChildMain(int fd, const std::function<Record()>& measure) {
    std::string text;
    try {
        text = kRecordLine + measure().Serialize();
    } catch (const std::exception& e) {
        text = std::string(kFailureLine) + e.what();
    } catch (...) {
        text = kFailureLine + std::string("an exception that is not a std::exception");
    }
    ::_exit(WriteAll(fd, text) ? 0 : 1);
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw SystemError("waitpid");
    }
    return status;
}

}  // namespace

Record RunInChild(const std::function<Record()>& measure) {
    int fds[2];
    if (::pipe(fds) != 0) throw SystemError("pipe");
    Descriptor reading(fds[0]), writing(fds[1]);
    const pid_t pid = ::fork();
    if (pid < 0) throw SystemError("fork");
    if (pid == 0) {
        reading.Close();
        ChildMain(writing.get(), measure);
    }
    writing.Close();  // so that the read sees the end when the child is gone
    std::string text;
    try {
        text = ReadAll(reading.get());
    } catch (...) {
        WaitFor(pid);
        throw;
    }
    const int status = WaitFor(pid);
    if (WIFSIGNALED(status))
        throw std::runtime_error("the measurement was killed by signal " +
                                 std::to_string(WTERMSIG(status)) + " (" +
                                 strsignal(WTERMSIG(status)) + ")");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the measurement exited with status " +
                                 std::to_string(WEXITSTATUS(status)));
    if (text.starts_with(kFailureLine))
        throw std::runtime_error("the measurement failed: " + text.substr(strlen(kFailureLine)));
    if (!text.starts_with(kRecordLine))
        throw std::runtime_error("the measurement ended without a result");
    return Record::Parse(text.substr(strlen(kRecordLine)));
}

}  // namespace bench
