// The plug-in shared library, loaded at run time and kept open for the owner's lifetime.
#pragma once

#include <memory>
#include <string>

namespace skpimport {

class PluginLibrary {
public:
    // Null with a reason from the dynamic loader when the library cannot be loaded. `path` is
    // UTF-8.
    static std::unique_ptr<PluginLibrary> Open(const std::string& path, std::string& error);

    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Null with a reason when the library has no such symbol.
    void* Symbol(const char* name, std::string& error) const;

private:
    explicit PluginLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// The plug-in built with the tool: lib/libSkpReader.so beside the bin/ folder holding the running
// executable; on Windows SkpReader.dll in the executable's own folder. Empty when the
// executable's own path cannot be read.
std::string DefaultPluginPath();

}  // namespace skpimport
