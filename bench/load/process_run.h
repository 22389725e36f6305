// A whole program run as a user runs it: started, left to finish, its time and peak memory taken
// from the outside. The tests' runner (tests/support/tool_run.h) cannot serve here: it gives
// neither the child's peak memory (ru_maxrss from wait4) nor a timing free of capturing output
// into files and polling for the exit.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace bench {

// Runs `program` with `arguments`, its output discarded, and waits for it. Values: "process s"
// (from the start to the end of the process, wall clock) and "peak bytes" (its ru_maxrss).
// Throws std::runtime_error when it cannot be started or does not exit with 0.
Record MeasureProcess(const std::string& program, const std::vector<std::string>& arguments);

// The path of the program `name` in the folder of the running program.
std::string ProgramBesideThisOne(const std::string& name);

}  // namespace bench
