// libFuzzer target: a whole load through the plug-in, from the model file to the host's scene.
#include <cstddef>
#include <cstdint>

#include "fuzz_process.h"
#include "load_input.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    skpfuzz::ExportTexturesToProcessFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const skpfuzz::LoadOutcome outcome =
        skpfuzz::LoadInput({reinterpret_cast<const char*>(data), size}, skpfuzz::ProcessFolder());
    skpfuzz::FinishInput("load_fuzzer", outcome.violations);
    return 0;
}
