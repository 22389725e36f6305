// Every input a fuzzer once failed on stays fixed, and the seeds the campaigns start from stay
// valid documents that load: a seed the reader refuses would leave the fuzzers with nothing deep to
// mutate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document_input.h"
#include "file_contents.h"
#include "gltf_input.h"
#include "load_input.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().filename() != "README.md") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "; ";
    return text;
}

std::string TestName(const testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
    return name;
}

// TMPDIR points into a scratch folder while a test runs, so exported textures land there.
class Replay : public testing::TestWithParam<fs::path> {
protected:
    testsupport::SystemTempFolder folder_{"skpfuzz-"};
};

using DocumentSeed = Replay;
using LoadSeed = Replay;
using DocumentFinding = Replay;
using LoadFinding = Replay;
using GltfSeed = Replay;
using GltfFinding = Replay;

TEST_P(DocumentSeed, OpensAndReadsBackConsistently) {
    const skpfuzz::DocumentOutcome outcome =
        skpfuzz::ReadDocumentInput(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_EQ(outcome.open, SU_ERROR_NONE) << outcome.reason;
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
}

TEST_P(LoadSeed, LoadsIntoAConsistentScene) {
    const skpfuzz::LoadOutcome outcome =
        skpfuzz::LoadInput(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
    // A seed may make the plug-in raise on purpose (unreadable parts); one that loads has geometry.
    if (outcome.raised.empty()) {
        EXPECT_EQ(outcome.result, 0);
        if (GetParam().stem() != "minimal") {
            EXPECT_GT(outcome.triangles, 0u);
        }
    }
}

TEST_P(DocumentFinding, IsRefusedOrReadCleanly) {
    const skpfuzz::DocumentOutcome outcome =
        skpfuzz::ReadDocumentInput(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
}

TEST_P(LoadFinding, EndsInAConsistentScene) {
    const skpfuzz::LoadOutcome outcome =
        skpfuzz::LoadInput(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
}

// The output side starts from the load seeds: each loads into a scene that comes out with a mesh.
TEST_P(GltfSeed, WritesAndReadsBackConsistently) {
    const skpfuzz::GltfOutcome outcome =
        skpfuzz::WriteAndReadBack(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
    if (outcome.load.raised.empty() && GetParam().stem() != "minimal") {
        EXPECT_GT(outcome.meshes, 0u);
    }
}

TEST_P(GltfFinding, WritesAndReadsBackConsistently) {
    const skpfuzz::GltfOutcome outcome =
        skpfuzz::WriteAndReadBack(testsupport::ReadBytes(GetParam()), folder_);
    EXPECT_TRUE(outcome.violations.empty()) << Joined(outcome.violations);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DocumentSeed,
                         testing::ValuesIn(FilesIn(fs::path(FUZZ_SEEDS) / "document")), TestName);
INSTANTIATE_TEST_SUITE_P(Seeds, LoadSeed, testing::ValuesIn(FilesIn(fs::path(FUZZ_SEEDS) / "load")),
                         TestName);
INSTANTIATE_TEST_SUITE_P(Found, DocumentFinding,
                         testing::ValuesIn(FilesIn(fs::path(FUZZ_REGRESSIONS) / "document")),
                         TestName);
INSTANTIATE_TEST_SUITE_P(Found, LoadFinding,
                         testing::ValuesIn(FilesIn(fs::path(FUZZ_REGRESSIONS) / "load")), TestName);
INSTANTIATE_TEST_SUITE_P(Seeds, GltfSeed, testing::ValuesIn(FilesIn(fs::path(FUZZ_SEEDS) / "load")),
                         TestName);
INSTANTIATE_TEST_SUITE_P(Found, GltfFinding,
                         testing::ValuesIn(FilesIn(fs::path(FUZZ_REGRESSIONS) / "gltf")), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DocumentFinding);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LoadFinding);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GltfFinding);

}  // namespace
