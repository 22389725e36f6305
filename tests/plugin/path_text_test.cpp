#include <gtest/gtest.h>

#include <string>

#include "PathText.h"
#include "env_guard.h"
#include "reader_probe.h"
#include "test_platform.h"

namespace Importing::testing {
namespace {

TEST(PathText, FileBaseNameFollowsWindowsPathRules) {
    EXPECT_EQ(GetFileBaseName(u"C:\\models\\house.skp"), u"house");
    EXPECT_EQ(GetFileBaseName(u"C:/models/house.skp"), u"house");
    EXPECT_EQ(GetFileBaseName(u"a.b.skp"), u"a.b");
    EXPECT_EQ(GetFileBaseName(u"/home/me/dir.v2/model"), u"model");
    EXPECT_EQ(GetFileBaseName(u"\u96ea\U0001F3E0.skpm"), u"\u96ea\U0001F3E0");
}

// The system's temporary folder as the operating system reports it (from TMPDIR over our
// stand-in, from TMP on Windows, where a folder starts with a drive), ending with a separator;
// empty when it does not fit the path buffer with the terminating NUL.
TEST(PathText, TempFolderEndsWithASeparatorAndFitsThePathBuffer) {
#if defined(_WIN32)
    const std::string root = "C:\\", separator = "\\";
#else
    const std::string root = "/", separator = "/";
#endif
    EnvGuard env;
    const std::string folder = root + "var" + separator + "tmp" + separator + "textures";
    env.Set(testsupport::kTempFolderVariable, folder);
    EXPECT_EQ(GetTempFolder(), Wide(folder + separator));
    env.Set(testsupport::kTempFolderVariable, root + std::string(258 - root.size(), 'x'));
    EXPECT_EQ(GetTempFolder().size(), 259u);  // with the separator
    env.Set(testsupport::kTempFolderVariable, root + std::string(300, 'y'));
    EXPECT_EQ(GetTempFolder(), u"");
}

}  // namespace
}  // namespace Importing::testing
