// _wsplitpath_s with Windows and POSIX separators.

#include <crt_wide.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Parts {
    std::u16string drive, dir, name, ext;
};

Parts Split(const char16_t* path) {
    WCHAR drive[8], dir[64], name[64], ext[16];
    EXPECT_EQ(_wsplitpath_s(path, drive, 8, dir, 64, name, 64, ext, 16), 0);
    return {drive, dir, name, ext};
}

struct SplitCase {
    const char16_t* path;
    Parts expected;
};

TEST(WSplitPath, SplitsTypicalPaths) {
    const SplitCase cases[] = {
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
    for (const SplitCase& c : cases) {
        const Parts parts = Split(c.path);
        const std::string label(c.path, c.path + std::char_traits<char16_t>::length(c.path));
        EXPECT_EQ(parts.drive, c.expected.drive) << label;
        EXPECT_EQ(parts.dir, c.expected.dir) << label;
        EXPECT_EQ(parts.name, c.expected.name) << label;
        EXPECT_EQ(parts.ext, c.expected.ext) << label;
    }
}

TEST(WSplitPath, OutputsMayBeOmitted) {
    WCHAR name[16];
    EXPECT_EQ(_wsplitpath_s(u"C:\\a\\house.skp", nullptr, 0, nullptr, 0, name, 16, nullptr, 0), 0);
    EXPECT_EQ(std::u16string(name), u"house");
}

TEST(WSplitPath, TooSmallOutputClearsAllAndReportsErange) {
    WCHAR drive[4] = u"zz", dir[4] = u"zz", name[4] = u"zz", ext[8] = u"zz";
    // "house" needs 6 elements with its NUL.
    EXPECT_EQ(_wsplitpath_s(u"C:\\a\\house.skp", drive, 4, dir, 4, name, 4, ext, 8), ERANGE);
    EXPECT_EQ(drive[0], u'\0');
    EXPECT_EQ(dir[0], u'\0');
    EXPECT_EQ(name[0], u'\0');
    EXPECT_EQ(ext[0], u'\0');
    // Exactly enough room succeeds.
    WCHAR exact[6];
    EXPECT_EQ(_wsplitpath_s(u"house.skp", nullptr, 0, nullptr, 0, exact, 6, nullptr, 0), 0);
    EXPECT_EQ(std::u16string(exact), u"house");
}

TEST(WSplitPath, InconsistentArgumentsAreEinval) {
    WCHAR name[16];
    EXPECT_EQ(_wsplitpath_s(nullptr, nullptr, 0, nullptr, 0, name, 16, nullptr, 0), EINVAL);
    EXPECT_EQ(_wsplitpath_s(u"a.b", nullptr, 3, nullptr, 0, name, 16, nullptr, 0), EINVAL);
    EXPECT_EQ(_wsplitpath_s(u"a.b", nullptr, 0, nullptr, 0, name, 0, nullptr, 0), EINVAL);
}

}  // namespace
