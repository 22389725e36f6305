// libFuzzer target: the stand-in SketchUp library's model document reader, the face tessellator
// and the image decoders behind it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "document_input.h"

namespace {

std::unique_ptr<skpfuzz::ScratchFolder> folder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder = std::make_unique<skpfuzz::ScratchFolder>();
    std::atexit([] { folder.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const skpfuzz::DocumentOutcome outcome =
        skpfuzz::ReadDocumentInput({reinterpret_cast<const char*>(data), size}, *folder);
    folder->Empty();
    if (!outcome.violations.empty()) {
        for (const std::string& violation : outcome.violations) {
            std::fprintf(stderr, "document_fuzzer: %s\n", violation.c_str());
        }
        std::abort();
    }
    return 0;
}
