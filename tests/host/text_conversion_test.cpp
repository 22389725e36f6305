// WideCharToMultiByte / MultiByteToWideChar for UTF-8.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

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

TEST(WideCharToMultiByte, EncodesEveryLength) {
    EXPECT_EQ(ToUtf8(u"abc"), "abc");
    EXPECT_EQ(ToUtf8(u"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");  // a surrogate pair
    EXPECT_EQ(ToUtf8(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
    EXPECT_EQ(ToUtf8(u"\uFFFF"), "\xEF\xBF\xBF");
}

TEST(WideCharToMultiByte, UnpairedSurrogatesBecomeReplacementCharacter) {
    const std::u16string lowAlone = {u'a', char16_t(0xDC00), u'b'};
    EXPECT_EQ(ToUtf8(lowAlone),
              "a\xEF\xBF\xBD"
              "b");
    const std::u16string highAtEnd = {u'a', char16_t(0xD83D)};
    EXPECT_EQ(ToUtf8(highAtEnd), "a\xEF\xBF\xBD");
    const std::u16string highThenLetter = {char16_t(0xD83D), u'x'};
    EXPECT_EQ(ToUtf8(highThenLetter), "\xEF\xBF\xBDx");
    const std::u16string reversedPair = {char16_t(0xDE00), char16_t(0xD83D)};
    EXPECT_EQ(ToUtf8(reversedPair), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(WideCharToMultiByte, StrictFlagRefusesUnpairedSurrogate) {
    const char16_t text[] = {u'a', char16_t(0xD800), 0};
    char out[16];
    SetLastError(0);
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, out, 16, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(WideCharToMultiByte, NulTerminatedInputCountsAndWritesTheNul) {
    const char16_t* text = u"h\u00E9";
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr), 4);
    char out[8];
    std::fill(std::begin(out), std::end(out), '#');
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, out, 8, nullptr, nullptr), 4);
    EXPECT_EQ(std::string(out, 5), std::string("h\xC3\xA9\0#", 5));
}

TEST(WideCharToMultiByte, TooSmallBufferFailsWithInsufficientBuffer) {
    char out[3];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC!", 2, out, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // The NUL counts too: three bytes of text and the NUL do not fit in three.
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", -1, out, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(WideCharToMultiByte, RefusesBadArguments) {
    char out[8];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 0, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, nullptr, 1, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", -1, out, -1, nullptr, nullptr), 0);
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", -1, out, 8, nullptr, &used), 0);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"a", -1, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0x400, u"a", -1, out, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST(MultiByteToWideChar, DecodesEveryLength) {
    EXPECT_EQ(ToUtf16("abc"), u"abc");
    EXPECT_EQ(ToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(ToUtf16("\xE2\x82\xAC"), u"\u20AC");
    const std::u16string pair = ToUtf16("\xF0\x9F\x98\x80");
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0], char16_t(0xD83D));
    EXPECT_EQ(pair[1], char16_t(0xDE00));
    EXPECT_EQ(ToUtf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
}

TEST(MultiByteToWideChar, IllFormedInputBecomesReplacementCharacters) {
    const std::u16string r = u"\uFFFD";
    EXPECT_EQ(ToUtf16("a\x80z"), u"a" + r + u"z");          // stray continuation byte
    EXPECT_EQ(ToUtf16("\xC0\xAF"), r + r);                  // overlong '/': C0 is never a lead
    EXPECT_EQ(ToUtf16("\xE0\x80\xAF"), r + r + r);          // overlong three-byte form
    EXPECT_EQ(ToUtf16("\xED\xA0\x80"), r + r + r);          // an encoded surrogate
    EXPECT_EQ(ToUtf16("\xF4\x90\x80\x80"), r + r + r + r);  // above U+10FFFF
    EXPECT_EQ(ToUtf16("\xE2\x82z"), r + u"z");              // truncated: one U+FFFD for E2 82
    EXPECT_EQ(ToUtf16("x\xF0\x9F\x98"), u"x" + r);          // truncated at the end
    EXPECT_EQ(ToUtf16("\xFF"), r);
}

TEST(MultiByteToWideChar, StrictFlagRefusesIllFormedInput) {
    WCHAR out[8];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, out, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "ok", 2, out, 8), 2);
}

TEST(MultiByteToWideChar, MeasuresFillsAndRefusesShortBuffers) {
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xC3\xA9", -1, nullptr, 0), 3);
    WCHAR out[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xC3\xA9", -1, out, 4), 3);
    EXPECT_EQ(std::u16string(out, 4), std::u16string(u"h\u00E9\0#", 4));
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, out, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(TextConversion, RoundTripsEveryScalarValueOfSomePlanes) {
    std::u16string text;
    for (char32_t c = 1; c < 0x30000; c += 97) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (c < 0x10000) {
            text += static_cast<char16_t>(c);
        } else {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    EXPECT_EQ(ToUtf16(ToUtf8(text)), text);
}

TEST(LastError, IsPerThread) {
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seenByOther = 1234;
    std::thread([&] { seenByOther = GetLastError(); }).join();
    EXPECT_EQ(seenByOther, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
