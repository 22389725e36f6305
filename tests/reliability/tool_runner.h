// Runs the host tool as a child process with a time limit, for tests whose failure could be a
// hang (a model path that is a pipe with no writer, for one).
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct ToolResult {
    int exitCode = -1;  // -1 when it did not exit normally
    bool timedOut = false;
    std::string out, err;
};

struct ToolRequest {
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;  // overrides of the test's own
    std::filesystem::path workingFolder;             // empty: the test's own
    std::chrono::seconds limit{120};                 // then it is killed
};

// Runs build/bin/skpimport (killed and reported as timed out past the limit).
ToolResult RunSkpimport(const ToolRequest& request);
