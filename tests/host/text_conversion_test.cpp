// WideCharToMultiByte / MultiByteToWideChar for UTF-8.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Measures, then fills a buffer of exactly the measured size.
std::string ToUtf8(std::u16string_view text) {
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(needed), '\0');
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed, nullptr, nullptr),
        needed);
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::u16string out(static_cast<size_t>(needed), u'\0');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), needed), needed);
    return out;
}

// The conversion itself is the text module's (tested there); these are the calls' own rules.
TEST(TextConversion, MeasuresThenFillsAndReplacesWhatIsIllFormed) {
    EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xD83D), char16_t(0xDE00)}), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80"), std::u16string({char16_t(0xD83D), char16_t(0xDE00)}));
    EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xDC00)}), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf16("a\x80"), u"a\uFFFD");
    // -1 counts the terminating NUL, which is converted too.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, nullptr, 0), 3);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", -1, nullptr, 0, nullptr, nullptr), 3);
}

TEST(TextConversion, RefusalsSetTheLastError) {
    char16_t wide[2];
    char narrow[2];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", 3, narrow, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    const char16_t unpaired[] = {u'a', char16_t(0xDC00)};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, unpaired, 2, nullptr, 0, nullptr,
                                  nullptr),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", 1, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0x100, "a", 1, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", 0, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
