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

TEST(TextConversion, EncodesDecodesAndReplacesWhatIsIllFormed) {
    enum Direction { kBoth, kToUtf8Only, kToUtf16Only };
    struct Case {
        std::u16string wide;
        std::string utf8;
        Direction direction;
    };
    const std::u16string r = u"\uFFFD";
    const Case cases[] = {
        {u"abc", "abc", kBoth},
        {u"\u00E9", "\xC3\xA9", kBoth},
        {u"\u20AC", "\xE2\x82\xAC", kBoth},
        {u"\uFFFF", "\xEF\xBF\xBF", kBoth},
        {{char16_t(0xD83D), char16_t(0xDE00)}, "\xF0\x9F\x98\x80", kBoth},  // U+1F600, a pair
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF", kBoth},
        // Unpaired surrogates become U+FFFD.
        {{u'a', char16_t(0xDC00), u'b'},
         "a\xEF\xBF\xBD"
         "b",
         kToUtf8Only},
        {{u'a', char16_t(0xD83D)}, "a\xEF\xBF\xBD", kToUtf8Only},
        {{char16_t(0xD83D), u'x'}, "\xEF\xBF\xBDx", kToUtf8Only},
        {{char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD", kToUtf8Only},
        // Ill-formed UTF-8: one U+FFFD per maximal bad subsequence.
        {u"a" + r + u"z", "a\x80z", kToUtf16Only},          // stray continuation byte
        {r + r, "\xC0\xAF", kToUtf16Only},                  // overlong '/': C0 is never a lead
        {r + r + r, "\xE0\x80\xAF", kToUtf16Only},          // overlong three-byte form
        {r + r + r, "\xED\xA0\x80", kToUtf16Only},          // an encoded surrogate
        {r + r + r + r, "\xF4\x90\x80\x80", kToUtf16Only},  // above U+10FFFF
        {r + u"z", "\xE2\x82z", kToUtf16Only},              // truncated
        {u"x" + r, "x\xF0\x9F\x98", kToUtf16Only},          // truncated at the end
        {r, "\xFF", kToUtf16Only},
    };
    for (const Case& c : cases) {
        const std::string label = testing::PrintToString(c.utf8);
        if (c.direction != kToUtf16Only) {
            EXPECT_EQ(ToUtf8(c.wide), c.utf8) << label;
        }
        if (c.direction != kToUtf8Only) {
            EXPECT_EQ(ToUtf16(c.utf8), c.wide) << label;
        }
    }
}

}  // namespace
