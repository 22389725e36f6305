// Command line of skpimport.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skpimport {

struct Options {
    std::string model;                     // UTF-8, as given
    std::optional<std::string> output;     // glTF file
    std::optional<std::string> sceneJson;  // "-" for standard output
    bool geometryData = true;
    std::string config;
    bool flag = false;
    std::optional<std::string> plugin;
    std::optional<int> threads;  // > 0
    bool timings = false;
    bool quiet = false;
    bool help = false;
};

// Parses the arguments after the program name. Returns false with a one-line `error` for a
// usage error; `help` set means the rest need not be valid.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The --help text.
std::string UsageText(const std::string& program);

}  // namespace skpimport
