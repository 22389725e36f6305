// libFuzzer target: the output side, a whole load through the plug-in written as .glb and .gltf
// with the project's glTF writer and read back through tinygltf.
#include <cstddef>
#include <cstdint>

#include "fuzz_process.h"
#include "gltf_input.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    skpfuzz::ExportTexturesToProcessFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const skpfuzz::GltfOutcome outcome = skpfuzz::WriteAndReadBack(
        {reinterpret_cast<const char*>(data), size}, skpfuzz::ProcessFolder());
    skpfuzz::FinishInput("gltf_fuzzer", outcome.violations);
    return 0;
}
