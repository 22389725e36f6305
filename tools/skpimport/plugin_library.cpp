#include "plugin_library.h"

#include <skptext/file_path.h>
#include <skptext/utf.h>
#include <skptext/wide.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <system_error>

namespace skpimport {

#if defined(_WIN32)

namespace {

// The system's text for an error code, as UTF-8, without the line end Windows appends.
std::string SystemMessage(DWORD code) {
    LPWSTR buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::string message = length > 0 ? skptext::ToUtf8(skptext::FromWide(buffer, length)) : "";
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return (message.empty() ? "error" : message) + " (" + std::to_string(code) + ")";
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string& error) {
    // A bare name would make LoadLibrary search the system's folders instead of this file.
    const std::string name = skptext::FileNameStart(path) == 0 ? ".\\" + path : path;
    const std::u16string wide = skptext::ToUtf16(name);
    HMODULE module = ::LoadLibraryExW(skptext::Wide(wide), nullptr, 0);
    if (module == nullptr) {
        error = SystemMessage(::GetLastError());
        return nullptr;
    }
    // Pinned: the parallel runtime's worker threads outlive the load and may still run
    // thread-exit code of the plug-in; its code must stay mapped until the process ends.
    HMODULE pinned = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, skptext::Wide(wide), &pinned);
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(module));
}

PluginLibrary::~PluginLibrary() {
    ::FreeLibrary(static_cast<HMODULE>(handle_));
}

void* PluginLibrary::Symbol(const char* name, std::string& error) const {
    FARPROC symbol = ::GetProcAddress(static_cast<HMODULE>(handle_), name);
    if (symbol == nullptr) {
        error = std::string("the plug-in has no ") + name + ": " + SystemMessage(::GetLastError());
        return nullptr;
    }
    return reinterpret_cast<void*>(symbol);
}

std::string DefaultPluginPath() {
    std::u16string executable(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, skptext::Wide(executable.data()),
                                                  static_cast<DWORD>(executable.size()));
        if (length == 0) return {};
        if (length < executable.size()) {
            executable.resize(length);
            break;
        }
        executable.resize(executable.size() * 2);
    }
    const std::string folder = skptext::ToUtf8(executable);
    return folder.substr(0, skptext::FileNameStart(folder)) + "SkpReader.dll";
}

#else

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

#endif

}  // namespace skpimport
