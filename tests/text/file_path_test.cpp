// Files named by UTF-8 text: every name survives on both platforms, and bytes are written and read
// back exactly as they are.
#include <gtest/gtest.h>
#include <skptext/file_path.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "file_contents.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(TextFilePath, FolderEndsAtEitherSeparator) {
    EXPECT_EQ(skptext::FileNameStart(std::string_view("C:\\Temp\\1_wood.png")), 8u);
    EXPECT_EQ(skptext::FileNameStart(std::string_view("/tmp/1_wood.png")), 5u);
    EXPECT_EQ(skptext::FileNameStart(std::string_view("C:/Temp\\sub/x")), 12u);
    EXPECT_EQ(skptext::FileNameStart(std::string_view("wood.png")), 0u);
    EXPECT_EQ(skptext::FileNameStart(std::u16string_view(u"C:\\Temp\\\u00D6.png")), 8u);
    EXPECT_EQ(skptext::FileNameStart(std::u16string_view(u"\u00D6.png")), 0u);
}

TEST(TextFilePath, NamesOutsideAsciiAreWrittenFoundAndReadBack) {
    testsupport::TempFolder dir;
    const std::string folder = skptext::PathToUtf8(dir.Path());
    const std::string bytes("\r\n\x1A\n\0end", 8);  // what a text mode would change or stop at
    const std::vector<std::string> names = {"Ziegel_\xC3\x96.png",
                                            "\xD0\xA1\xD1\x82\xD0\xB5\xD0\xBA\xD0\xBB\xD0\xBE.jpg",
                                            "\xE7\x8E\xBB\xE7\x92\x83 \xF0\x9F\x8F\xA0.bmp"};
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        std::FILE* file = skptext::OpenFile(path, "wb");
        ASSERT_NE(file, nullptr) << name;
        EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        std::fclose(file);

        EXPECT_EQ(testsupport::ReadBytes(skptext::PathFromUtf8(path)), bytes) << name;
        std::FILE* again = skptext::OpenFile(path, "rb");
        ASSERT_NE(again, nullptr) << name;
        char read[16] = {};
        EXPECT_EQ(std::string(read, std::fread(read, 1, sizeof read, again)), bytes) << name;
        std::fclose(again);
    }
    // The folder lists the names as they were given.
    std::set<std::string> listed;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path()))
        listed.insert(skptext::PathToUtf8(entry.path().filename()));
    EXPECT_EQ(listed, std::set<std::string>(names.begin(), names.end()));
}

}  // namespace
