// RunTool through CreateProcessW: arguments quoted as the C runtime of the child splits them,
// UTF-8 made wide, standard input the NUL device, output to files, and a time limit after which
// the child is terminated.
#if defined(_WIN32)

#include <skptext/utf.h>
#include <skptext/wide.h>
#include <windows.h>

#include <stdexcept>

#include "temp_folder.h"
#include "tool_run.h"

namespace testsupport {
namespace {

namespace fs = std::filesystem;

// One argument as CommandLineToArgvW and the C runtime read it back: quoted when it holds white
// space or a quote, with backslashes doubled only where a quote follows them.
std::u16string Quote(const std::u16string& argument) {
    if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string::npos)
        return argument;
    std::u16string quoted = u"\"";
    size_t backslashes = 0;
    for (const char16_t c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, u'\\');
    return quoted + u"\"";
}

// Variable names are not case-sensitive on Windows.
bool SameName(std::u16string a, std::u16string b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// The test's environment block with the overrides applied.
std::u16string ChildEnvironment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::pair<std::u16string, std::u16string>> wideOverrides;
    for (const auto& [name, value] : overrides)
        wideOverrides.emplace_back(skptext::ToUtf16(name), skptext::ToUtf16(value));
    std::u16string block;
    LPWCH strings = ::GetEnvironmentStringsW();
    for (const char16_t* entry = skptext::FromWide(strings); *entry != 0;) {
        const std::u16string text = entry;
        entry += text.size() + 1;
        // "=C:=C:\..." entries carry the current folder of each drive; their name starts with '='.
        const std::u16string name = text.substr(0, text.find(u'=', 1));
        bool overridden = false;
        for (const auto& [overrideName, value] : wideOverrides)
            overridden = overridden || SameName(name, overrideName);
        if (!overridden) block += text + u'\0';
    }
    ::FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : wideOverrides) block += name + u'=' + value + u'\0';
    return block + u'\0';
}

// Owns a handle.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

Handle Inheritable(const std::u16string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE handle = ::CreateFileW(skptext::Wide(path), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + skptext::ToUtf8(path) + " for a child");
    return Handle(handle);
}

}  // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const ToolOptions& options) {
    const TempFolder output("tool-run-");
    const fs::path outPath = output.Path() / "out", errPath = output.Path() / "err";
    ToolRun result;
    {
        const auto wide = [](const fs::path& path) {
            return std::u16string(skptext::FromWide(path.c_str()));
        };
        Handle in = Inheritable(u"NUL", GENERIC_READ, OPEN_EXISTING);
        Handle out = Inheritable(wide(outPath), GENERIC_WRITE, CREATE_ALWAYS);
        Handle err = Inheritable(wide(errPath), GENERIC_WRITE, CREATE_ALWAYS);

        std::u16string commandLine = Quote(skptext::ToUtf16(program));
        for (const std::string& argument : arguments)
            commandLine += u' ' + Quote(skptext::ToUtf16(argument));
        std::u16string environment = ChildEnvironment(options.environment);
        const std::u16string folder = options.workingFolder.empty()
                                          ? std::u16string()
                                          : wide(fs::absolute(options.workingFolder));

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.get();
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, skptext::Wide(commandLine.data()), nullptr, nullptr, TRUE,
                              CREATE_UNICODE_ENVIRONMENT, environment.data(),
                              folder.empty() ? nullptr : skptext::Wide(folder), &startup,
                              &process)) {
            throw std::runtime_error("cannot run " + program + ": error " +
                                     std::to_string(::GetLastError()));
        }
        Handle processHandle(process.hProcess), threadHandle(process.hThread);
        const auto milliseconds =
            std::chrono::duration_cast<std::chrono::milliseconds>(options.limit).count();
        if (::WaitForSingleObject(process.hProcess, static_cast<DWORD>(milliseconds)) !=
            WAIT_OBJECT_0) {
            result.timedOut = true;
            ::TerminateProcess(process.hProcess, 1);
            ::WaitForSingleObject(process.hProcess, INFINITE);
        }
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        // An exception that ended the process leaves its status (0xC0000005 and the like).
        result.exitCode = result.timedOut || code >= 0xC0000000u ? -1 : static_cast<int>(code);
    }
    result.out = output.Read("out");
    result.err = output.Read("err");
    return result;
}

}  // namespace testsupport

#endif  // _WIN32
