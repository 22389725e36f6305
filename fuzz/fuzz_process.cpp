#include "fuzz_process.h"

#include <cstdio>
#include <cstdlib>

namespace skpfuzz {

const testsupport::TempFolder& ProcessFolder() {
    static const testsupport::TempFolder folder("skpfuzz-");
    return folder;
}

void ExportTexturesToProcessFolder() {
    setenv("TMPDIR", ProcessFolder().Path().c_str(), 1);
}

void FinishInput(const char* target, const std::vector<std::string>& violations) {
    ProcessFolder().Empty();
    if (violations.empty()) return;
    for (const std::string& violation : violations)
        std::fprintf(stderr, "%s: %s\n", target, violation.c_str());
    std::abort();
}

}  // namespace skpfuzz
