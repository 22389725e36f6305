#include "options.h"

#include <gltf_file.h>

#include <charconv>

namespace skpimport {
namespace {

// An option that takes a value: both "--name VALUE" and "--name=VALUE" are accepted.
bool TakeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
               std::optional<std::string> inlineValue, std::string& value, std::string& error) {
    if (inlineValue) {
        value = *inlineValue;
        return true;
    }
    if (i + 1 >= arguments.size()) {
        error = "option " + name + " needs a value";
        return false;
    }
    value = arguments[++i];
    return true;
}

bool ParseThreads(const std::string& text, std::optional<int>& threads, std::string& error) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value <= 0) {
        error = "--threads needs a positive whole number, not '" + text + "'";
        return false;
    }
    threads = value;
    return true;
}

bool SetModel(const std::string& argument, Options& options, std::string& error) {
    if (!options.model.empty()) {
        error = "only one model can be imported at a time ('" + options.model + "' and '" +
                argument + "')";
        return false;
    }
    if (argument.empty()) {
        error = "the model path is empty";
        return false;
    }
    options.model = argument;
    return true;
}

// One option at arguments[i], advancing i past its value.
bool ParseOption(const std::vector<std::string>& arguments, size_t& i, Options& options,
                 std::string& error) {
    std::string name = arguments[i];
    std::optional<std::string> inlineValue;
    if (const size_t equals = name.find('=');
        name.starts_with("--") && equals != std::string::npos) {
        inlineValue = name.substr(equals + 1);
        name.resize(equals);
    }
    const auto flagOption = [&](bool& target) {
        if (inlineValue) {
            error = "option " + name + " takes no value";
            return false;
        }
        target = true;
        return true;
    };
    std::string value;
    const auto valueOption = [&](auto& target) {
        if (!TakeValue(arguments, i, name, inlineValue, value, error)) return false;
        target = value;
        return true;
    };
    if (name == "-h" || name == "--help") return flagOption(options.help);
    if (name == "--flag") return flagOption(options.flag);
    if (name == "--timings") return flagOption(options.timings);
    if (name == "--quiet") return flagOption(options.quiet);
    if (name == "--no-geometry-data") {
        bool set = false;
        if (!flagOption(set)) return false;
        options.geometryData = false;
        return true;
    }
    if (name == "-o" || name == "--output") return valueOption(options.output);
    if (name == "--scene-json") return valueOption(options.sceneJson);
    if (name == "--config") return valueOption(options.config);
    if (name == "--plugin") return valueOption(options.plugin);
    if (name == "--threads")
        return TakeValue(arguments, i, name, inlineValue, value, error) &&
               ParseThreads(value, options.threads, error);
    error = "unknown option " + name;
    return false;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (!ParseOption(arguments, i, options, error)) return false;
        } else if (!SetModel(argument, options, error)) {
            return false;
        }
    }
    if (options.help) return true;
    if (options.model.empty()) {
        error = "no model given";
        return false;
    }
    if (options.output && !gltf::GltfFormatOf(*options.output)) {
        error = "-o needs a file name ending in .glb or .gltf, not '" + *options.output + "'";
        return false;
    }
    if (options.sceneJson && options.sceneJson->empty()) {
        error = "--scene-json needs a file name, or - for standard output";
        return false;
    }
    return true;
}

std::string UsageText(const std::string& program) {
    return "Usage: " + program + R"( [options] MODEL

Imports a SketchUp model through the SkpReader plug-in, as the host application does, and
reports what the plug-in put into the scene.

Options:
  -o, --output FILE      write the scene as glTF 2.0 when the load succeeds: FILE.glb binary
                         with textures embedded, FILE.gltf with its buffer and images beside it
      --scene-json FILE  write the scene container as JSON; - for standard output
      --no-geometry-data in that JSON, give per geometry only counts and bounds
      --config TEXT      the configuration text handed to the plug-in (default empty)
      --flag             set the plug-in's load flag (default off)
      --plugin PATH      the plug-in library to load (default: the one built with this tool)
      --threads N        use at most N worker threads (default: all cores)
      --timings          print the time of each phase of the load on standard error
      --quiet            print nothing on success but what the options ask for (no summary,
                         no progress lines on standard error)
  -h, --help             show this text

Exit status: 0 when the model loaded cleanly, 1 when the load failed or reported a problem,
2 for a usage error.
)";
}

}  // namespace skpimport
