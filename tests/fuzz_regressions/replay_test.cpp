// Every input a fuzzer once failed on stays fixed, and the seeds the campaigns start from stay
// valid documents that load: a seed the reader refuses would leave the fuzzers with nothing deep to
// mutate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "document_input.h"
#include "file_contents.h"
#include "gltf_input.h"
#include "load_input.h"

namespace {

namespace fs = std::filesystem;

// An input of one fuzzer: a seed the campaigns start from, or one a fuzzer once failed on.
struct Input {
    fs::path file;
    bool seed = false;
};

void PrintTo(const Input& input, std::ostream* out) {
    *out << input.file.filename().string();
}

// The seeds in fuzz/corpus/`seeds` and the findings in inputs/`fuzzer`, by file name.
std::vector<Input> InputsOf(const std::string& fuzzer, const std::string& seeds) {
    std::vector<Input> inputs;
    for (const auto& [folder, seed] : {std::pair(fs::path(FUZZ_SEEDS) / seeds, true),
                                       std::pair(fs::path(FUZZ_REGRESSIONS) / fuzzer, false)}) {
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().filename() != "README.md")
                inputs.push_back({entry.path(), seed});
        }
    }
    std::sort(inputs.begin(), inputs.end(),
              [](const Input& a, const Input& b) { return a.file < b.file; });
    return inputs;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "; ";
    return text;
}

std::string TestName(const testing::TestParamInfo<Input>& info) {
    std::string name = (info.param.seed ? "seed_" : "found_") + info.param.file.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
    return name;
}

// TMPDIR points into a scratch folder while a test runs, so exported textures land there.
class Replay : public testing::TestWithParam<Input> {
protected:
    std::string Bytes() const { return testsupport::ReadBytes(GetParam().file); }
    // A seed that loads has geometry, but for the minimal document.
    bool SeedWithGeometry() const { return GetParam().seed && GetParam().file.stem() != "minimal"; }

    testsupport::SystemTempFolder folder_{"skpfuzz-"};
};

using DocumentReplay = Replay;
using LoadReplay = Replay;
using GltfReplay = Replay;

TEST_P(DocumentReplay, IsRefusedOrReadCleanlyAndSeedsOpen) {
    const skpfuzz::DocumentOutcome outcome = skpfuzz::ReadDocumentInput(Bytes(), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
    if (GetParam().seed) {
        EXPECT_EQ(outcome.open, SU_ERROR_NONE) << outcome.reason;
    }
}

// A seed may make the plug-in raise on purpose (unreadable parts); one that does not loads.
TEST_P(LoadReplay, EndsInAConsistentScene) {
    const skpfuzz::LoadOutcome outcome = skpfuzz::LoadInput(Bytes(), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
    if (GetParam().seed && outcome.raised.empty()) {
        EXPECT_EQ(outcome.result, 0);
        if (SeedWithGeometry()) {
            EXPECT_GT(outcome.triangles, 0u);
        }
    }
}

// The output side starts from the load seeds: each loads into a scene that comes out with a mesh.
TEST_P(GltfReplay, WritesAndReadsBackConsistently) {
    const skpfuzz::GltfOutcome outcome = skpfuzz::WriteAndReadBack(Bytes(), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
    if (SeedWithGeometry() && outcome.load.raised.empty()) {
        EXPECT_GT(outcome.meshes, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, DocumentReplay,
                         testing::ValuesIn(InputsOf("document", "document")), TestName);
INSTANTIATE_TEST_SUITE_P(Inputs, LoadReplay, testing::ValuesIn(InputsOf("load", "load")), TestName);
INSTANTIATE_TEST_SUITE_P(Inputs, GltfReplay, testing::ValuesIn(InputsOf("gltf", "load")), TestName);

}  // namespace
