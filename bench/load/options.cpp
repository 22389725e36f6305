#include "options.h"

#include <algorithm>
#include <charconv>

namespace bench {
namespace {

int PositiveInt(const std::string& text, const std::string& option) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 1024)
        throw UsageError(option + " needs a whole number from 1 to 1024, not '" + text + "'");
    return value;
}

std::vector<int> ThreadCounts(const std::string& text) {
    std::vector<int> counts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        counts.push_back(PositiveInt(text.substr(start, comma - start), "--threads"));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    return counts;
}

}  // namespace

const char* const kUsage =
    "usage: bench_load MODEL_defaultsingle.skpm MODEL.glb [--threads 1,2] [--runs N] "
    "[--plugin libSkpReader.so] [--skpimport PATH]\n";

Options ParseOptions(const std::vector<std::string>& args) {
    Options options;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--threads" || arg == "--runs" || arg == "--plugin" || arg == "--skpimport") {
            if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--threads")
                options.threads = ThreadCounts(value);
            else if (arg == "--runs")
                options.runs = PositiveInt(value, arg);
            else if (arg == "--plugin")
                options.plugin = value;
            else
                options.skpimport = value;
        } else if (arg.starts_with("-")) {
            throw UsageError("unknown option " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) throw UsageError("give the model document and its glTF file");
    options.model = files[0];
    options.gltf = files[1];
    // The peer loads front sides only; so must the plug-in, or the triangles cannot agree.
    if (options.model.find("_defaultsingle.") == std::string::npos)
        throw UsageError("the model's name must hold '_defaultsingle.' for a single-sided load: " +
                         options.model);
    return options;
}

}  // namespace bench
