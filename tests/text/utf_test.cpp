// UTF-16 <-> UTF-8 of the text module, and on Windows the system's own conversion beside it.
#include <gtest/gtest.h>
#include <skptext/utf.h>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <string>

namespace {

enum Direction { kBoth, kToUtf8Only, kToUtf16Only };
struct Case {
    std::u16string wide;
    std::string utf8;
    Direction direction;
};

const std::u16string r = u"\uFFFD";
const Case kCases[] = {
    {u"abc", "abc", kBoth},
    {u"Ziegel_\u00D6", "Ziegel_\xC3\x96", kBoth},
    {u"\u20AC\uFFFF", "\xE2\x82\xAC\xEF\xBF\xBF", kBoth},
    {{char16_t(0xD83D), char16_t(0xDE00)}, "\xF0\x9F\x98\x80", kBoth},  // U+1F600, a pair
    {u"\U0010FFFF", "\xF4\x8F\xBF\xBF", kBoth},
    // Unpaired surrogates become U+FFFD.
    {{u'a', char16_t(0xDC00), u'b'},
     "a\xEF\xBF\xBD"
     "b",
     kToUtf8Only},
    {{u'a', char16_t(0xD83D)}, "a\xEF\xBF\xBD", kToUtf8Only},
    {{char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD", kToUtf8Only},
    // Ill-formed UTF-8: one U+FFFD per maximal ill-formed subpart.
    {u"a" + r + u"z", "a\x80z", kToUtf16Only},          // stray continuation byte
    {r + r, "\xC0\xAF", kToUtf16Only},                  // overlong '/': C0 is never a lead
    {r + r + r, "\xED\xA0\x80", kToUtf16Only},          // an encoded surrogate
    {r + r + r + r, "\xF4\x90\x80\x80", kToUtf16Only},  // above U+10FFFF
    {r + u"z", "\xE2\x82z", kToUtf16Only},              // truncated
    {u"x" + r, "x\xF0\x9F\x98", kToUtf16Only},          // truncated at the end
};

TEST(TextUtf, EncodesDecodesAndReplacesWhatIsIllFormed) {
    for (const Case& c : kCases) {
        const std::string label = testing::PrintToString(c.utf8);
        bool replaced = false;
        if (c.direction != kToUtf16Only) {
            EXPECT_EQ(skptext::ToUtf8(c.wide, &replaced), c.utf8) << label;
            EXPECT_EQ(replaced, c.direction != kBoth) << label;
            EXPECT_EQ(skptext::ToUtf8Strict(c.wide).has_value(), c.direction == kBoth) << label;
        }
        replaced = false;
        if (c.direction != kToUtf8Only) {
            EXPECT_EQ(skptext::ToUtf16(c.utf8, &replaced), c.wide) << label;
            EXPECT_EQ(replaced, c.direction != kBoth) << label;
            EXPECT_EQ(skptext::ToUtf16Strict(c.utf8).has_value(), c.direction == kBoth) << label;
        }
    }
}

#if defined(_WIN32)
// The module and the system's own conversion (flags 0: what is ill-formed is replaced) agree on
// text and on unpaired surrogates. How many U+FFFD stand for ill-formed UTF-8 differs between
// implementations (Wine's is not Windows'), so that is left to the test above.
TEST(TextUtf, AgreesWithTheSystemsConversion) {
    for (const Case& c : kCases) {
        if (c.direction == kToUtf16Only) continue;
        const std::string label = testing::PrintToString(c.utf8);
        const auto* wide = reinterpret_cast<const wchar_t*>(c.wide.data());
        const int length = static_cast<int>(c.wide.size());
        std::string utf8(4 * c.wide.size(), '\0');
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(),
                                        static_cast<int>(utf8.size()), nullptr, nullptr));
        EXPECT_EQ(skptext::ToUtf8(c.wide), utf8) << label;
        if (c.direction == kBoth) {
            std::u16string decoded(c.utf8.size(), u'\0');
            decoded.resize(MultiByteToWideChar(
                CP_UTF8, 0, c.utf8.data(), static_cast<int>(c.utf8.size()),
                reinterpret_cast<wchar_t*>(decoded.data()), static_cast<int>(decoded.size())));
            EXPECT_EQ(skptext::ToUtf16(c.utf8), decoded) << label;
        }
    }
}
#endif

}  // namespace
