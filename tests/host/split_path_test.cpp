// _wsplitpath_s with Windows and POSIX separators.

#include <crt_wide.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

TEST(WSplitPath, SplitsTypicalPaths) {
    // The path, then its drive, folder, name and extension.
    const std::pair<const char16_t*, std::vector<std::u16string>> cases[] = {
        {u"C:\\models\\house.skp", {u"C:", u"\\models\\", u"house", u".skp"}},
        {u"C:/models/house.skp", {u"C:", u"/models/", u"house", u".skp"}},
        {u"/home/me/a.b.skp", {u"", u"/home/me/", u"a.b", u".skp"}},
        {u"a.b.skp", {u"", u"", u"a.b", u".skp"}},
        {u".png", {u"", u"", u"", u".png"}},
        {u"textures\\.png", {u"", u"textures\\", u"", u".png"}},
        {u"C:\\models\\README", {u"C:", u"\\models\\", u"README", u""}},
        {u"dir.v2\\file", {u"", u"dir.v2\\", u"file", u""}},  // a dot in a folder is no extension
        {u"mixed\\sep/last.jpg", {u"", u"mixed\\sep/", u"last", u".jpg"}},
        {u"C:", {u"C:", u"", u"", u""}},
        {u"1:\\x.y", {u"", u"1:\\", u"x", u".y"}},  // only a letter makes a drive
        {u"", {u"", u"", u"", u""}},
        {u"name.", {u"", u"", u"name", u"."}},
    };
    for (const auto& [path, parts] : cases) {
        WCHAR drive[8], dir[64], name[64], ext[16];
        const std::string label(path, path + std::u16string_view(path).size());
        ASSERT_EQ(_wsplitpath_s(path, drive, 8, dir, 64, name, 64, ext, 16), 0) << label;
        EXPECT_EQ((std::vector<std::u16string>{drive, dir, name, ext}), parts) << label;
    }
}

TEST(WSplitPath, OmittedOutputsTooSmallOutputsAndBadArguments) {
    WCHAR exact[6];  // "house" and its NUL: exactly enough
    EXPECT_EQ(_wsplitpath_s(u"C:\\a\\house.skp", nullptr, 0, nullptr, 0, exact, 6, nullptr, 0), 0);
    EXPECT_EQ(std::u16string(exact), u"house");

    WCHAR drive[4] = u"zz", dir[4] = u"zz", name[4] = u"zz", ext[8] = u"zz";
    EXPECT_EQ(_wsplitpath_s(u"C:\\a\\house.skp", drive, 4, dir, 4, name, 4, ext, 8), ERANGE);
    for (const WCHAR* cleared : {drive, dir, name, ext}) EXPECT_EQ(cleared[0], u'\0');

    EXPECT_EQ(_wsplitpath_s(nullptr, nullptr, 0, nullptr, 0, name, 4, nullptr, 0), EINVAL);
    EXPECT_EQ(_wsplitpath_s(u"a.b", nullptr, 3, nullptr, 0, name, 4, nullptr, 0), EINVAL);
    EXPECT_EQ(_wsplitpath_s(u"a.b", nullptr, 0, nullptr, 0, name, 0, nullptr, 0), EINVAL);
}

}  // namespace
