#include "skptext/program_text.h"

#if defined(_WIN32)
// windows.h first: shellapi.h builds on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include "skptext/utf.h"
#include "skptext/wide.h"
#endif

namespace skptext {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#if defined(_WIN32)
    (void)argc, (void)argv;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(ToUtf8(FromWide(wide[i])));
    ::LocalFree(wide);
    return arguments;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

void UseBinaryStandardStreams() {
#if defined(_WIN32)
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
}

}  // namespace skptext
