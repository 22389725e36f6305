#include "plugin_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace skpimport {

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string& error) {
    // A path without '/' would make dlopen search the library path instead of this file.
    const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
    // RTLD_NODELETE: the parallel runtime's worker threads outlive the load and may still run
    // thread-exit code of the plug-in; its code must stay mapped until the process ends.
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr ? reason : "cannot load " + path;
        return nullptr;
    }
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(handle));
}

PluginLibrary::~PluginLibrary() {
    ::dlclose(handle_);
}

void* PluginLibrary::Symbol(const char* name, std::string& error) const {
    ::dlerror();
    void* symbol = ::dlsym(handle_, name);
    if (symbol == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr ? reason : std::string("the plug-in has no ") + name;
    }
    return symbol;
}

std::string DefaultPluginPath() {
    std::error_code ec;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return (executable.parent_path().parent_path() / "lib" / "libSkpReader.so").string();
}

}  // namespace skpimport
