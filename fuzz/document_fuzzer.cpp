// libFuzzer target: the stand-in SketchUp library's model document reader, the face tessellator
// and the image decoders behind it.
#include <cstddef>
#include <cstdint>

#include "document_input.h"
#include "fuzz_process.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    skpfuzz::ProcessFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const skpfuzz::DocumentOutcome outcome = skpfuzz::ReadDocumentInput(
        {reinterpret_cast<const char*>(data), size}, skpfuzz::ProcessFolder());
    skpfuzz::FinishInput("document_fuzzer", outcome.violations);
    return 0;
}
