// Damaged documents: every truncation and many single-byte changes of a valid document are
// answered with a result and, when refused, a reason; never a crash or a hang.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "test_support.h"

using namespace sutest;

namespace {

std::string Shed() {
    std::ifstream in(SKETCHUP_TEST_DOCUMENTS "/shed.skpm", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HostileInput, EveryTruncationIsASerializationError) {
    const std::string shed = Shed();
    ASSERT_GT(shed.size(), 1000u);
    TempDir dir;
    const std::string path = (dir.path() / "cut.skpm").string();
    // The document ends with "}\n": anything shorter than that is an unfinished object.
    const size_t complete = shed.rfind('}');
    for (size_t length = 0; length < complete; ++length) {
        dir.Write("cut.skpm", shed.substr(0, length));
        Model model(path);
        ASSERT_EQ(model.result(), SU_ERROR_SERIALIZATION) << "length " << length;
        ASSERT_NE(model.error(), "");
    }
}

TEST(HostileInput, ChangedBytesAreAnsweredWithAResult) {
    const std::string shed = Shed();
    TempDir dir;
    const std::string path = (dir.path() / "changed.skpm").string();
    std::mt19937 random(20240611);
    const char replacements[] = {'0', '9', '-', '.', 'e',  '"', '[',  ']',    '{',
                                 '}', ',', ':', ' ', '\\', 'x', '\0', '\xFF', '\x80'};
    size_t accepted = 0;
    for (int round = 0; round < 1000; ++round) {
        std::string changed = shed;
        const size_t changes = 1 + random() % 3;
        for (size_t c = 0; c < changes; ++c) {
            changed[random() % changed.size()] = replacements[random() % sizeof replacements];
        }
        dir.Write("changed.skpm", changed);
        Model model(path);
        if (model.result() == SU_ERROR_NONE) {
            ++accepted;
            EXPECT_EQ(model.error(), "");
        } else {
            EXPECT_TRUE(SUIsInvalid(model.get()));
            EXPECT_NE(model.error(), "") << changed;
        }
    }
    // Some changes land in numbers and stay valid; most break the document.
    EXPECT_LT(accepted, 1000u);
}

}  // namespace
