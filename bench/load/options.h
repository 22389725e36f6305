// bench_load's command line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

struct Options {
    std::string model;      // a single-sided model document (its name holds "_defaultsingle.")
    std::string gltf;       // the same model as glTF, for Assimp
    std::string plugin;     // empty: lib/libSkpReader.so beside the executable's bin/
    std::string skpimport;  // the host tool timed as a whole process; empty: beside bench_load
    std::vector<int> threads{1, 2};  // increasing, without repeats
    int runs = 3;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// args excludes the program name. Throws UsageError saying what is wrong.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace bench
