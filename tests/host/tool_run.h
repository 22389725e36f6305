// Runs a program to completion with its output captured, for end-to-end tests of the tools.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ToolRun {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out, err;
};

// Runs `program` with `arguments` and the test's environment, `environment` overriding it.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment = {});
