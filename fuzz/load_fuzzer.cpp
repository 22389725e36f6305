// libFuzzer target: a whole load through the plug-in, from the model file to the host's scene.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "load_input.h"

namespace {

std::unique_ptr<skpfuzz::ScratchFolder> folder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder = std::make_unique<skpfuzz::ScratchFolder>();
    std::atexit([] { folder.reset(); });
    // The plug-in writes the textures it exports into $TMPDIR: keep them in the scratch folder.
    setenv("TMPDIR", folder->Path().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const skpfuzz::LoadOutcome outcome =
        skpfuzz::LoadInput({reinterpret_cast<const char*>(data), size}, *folder);
    folder->Empty();
    if (!outcome.violations.empty()) {
        for (const std::string& violation : outcome.violations) {
            std::fprintf(stderr, "load_fuzzer: %s\n", violation.c_str());
        }
        std::abort();
    }
    return 0;
}
