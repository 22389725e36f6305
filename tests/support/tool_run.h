// Runs a program to completion with its output captured and a time limit, for the end-to-end
// tests of the tools: posix_spawn on POSIX (tool_run.cpp), CreateProcessW on Windows
// (tool_run_windows.cpp).
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ToolRun {
    int exitCode = -1;  // -1 when it did not exit normally
    bool timedOut = false;
    std::string out, err;
};

struct ToolOptions {
    std::map<std::string, std::string> environment;  // overrides of the test's own
    std::filesystem::path workingFolder;             // empty: the test's own
    std::chrono::seconds limit{300};                 // then it is killed: a hang fails the test
};

// Runs `program` with `arguments`, standard input closed.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const ToolOptions& options);

inline ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                       const std::map<std::string, std::string>& environment = {}) {
    return RunTool(program, arguments, ToolOptions{environment, {}, std::chrono::seconds(300)});
}

}  // namespace testsupport
