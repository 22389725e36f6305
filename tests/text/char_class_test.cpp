// Classification and case mapping by Unicode's data, the same on every platform and in every
// locale.
#include <gtest/gtest.h>
#include <skptext/char_class.h>

#if !defined(_WIN32)
#include <locale.h>
#include <wctype.h>
#endif

#include <string>

namespace {

TEST(TextCharClass, WhiteSpaceIsUnicodesWhiteSpace) {
    for (const char16_t c : std::u16string(u" \t\n\v\f\r\u0085\u00A0\u1680\u2000\u2007\u200A"
                                           u"\u2028\u2029\u202F\u205F\u3000"))
        EXPECT_TRUE(skptext::IsWhiteSpace(c)) << int(c);
    // Zero-width space and joiner, the information separators and the byte-order mark are not.
    for (const char16_t c : std::u16string(u"a_.\u001C\u001F\u200B\u200D\u2060\uFEFF"))
        EXPECT_FALSE(skptext::IsWhiteSpace(c)) << int(c);
}

TEST(TextCharClass, LettersAndDigitsOfTheKnownScripts) {
    for (const char16_t c : std::u16string(u"aZ09\u00E9\u00D6\u00DF\u0142\u017C\u0416\u0451"
                                           u"\u03A9\u03C2\u73BB\u6C34\u30AC\u30FC\u3072\uC720"
                                           u"\uFF21\uFF10"))
        EXPECT_TRUE(skptext::IsLetterOrDigit(c)) << int(c);
    for (const char16_t c : std::u16string(u" _-.!#/\\\u00D7\u00F7\u00B7\u0387\u3000\u3001"
                                           u"\u30FB\u2014\uFF01"))
        EXPECT_FALSE(skptext::IsLetterOrDigit(c)) << int(c);
    EXPECT_FALSE(skptext::IsLetterOrDigit(char16_t(0xD83C)));  // half of a surrogate pair
}

TEST(TextCharClass, UpperCaseFoldsLatinGreekAndCyrillic) {
    EXPECT_EQ(skptext::ToUpper(u"water glass"), u"WATER GLASS");
    EXPECT_EQ(skptext::ToUpper(u"\u00E9t\u00E9 \u00FF"), u"\u00C9T\u00C9 \u0178");  // été ÿ
    EXPECT_EQ(skptext::ToUpper(u"szk\u0142o \u017C\u0105"), u"SZK\u0141O \u017B\u0104");  // Polish
    EXPECT_EQ(skptext::ToUpper(u"\u0441\u0442\u0435\u043A\u043B\u043E \u0451"),
              u"\u0421\u0422\u0415\u041A\u041B\u041E \u0401");  // стекло ё
    EXPECT_EQ(skptext::ToUpper(u"\u03B3\u03C5\u03B1\u03BB\u03AF \u03C2"),
              u"\u0393\u03A5\u0391\u039B\u038A \u03A3");              // γυαλί ς
    EXPECT_EQ(skptext::ToUpper(u"\u0131\u017F\u00B5"), u"IS\u039C");  // dotless i, long s, micro
    // No one-character upper case: ß, ŉ; scripts without case stay as they are.
    EXPECT_EQ(skptext::ToUpper(u"\u00DF\u0149\u73BB\u7483\u30AC\u30E9\u30B9\uC720\uB9AC"),
              u"\u00DF\u0149\u73BB\u7483\u30AC\u30E9\u30B9\uC720\uB9AC");
    EXPECT_EQ(skptext::ToUpper(u"\u00C9\u0416\u00D7\u00F7"), u"\u00C9\u0416\u00D7\u00F7");
}

#if !defined(_WIN32)
// glibc's C.UTF-8 locale carries Unicode's case data too: over every block the module maps, the
// two agree code point by code point.
TEST(TextCharClass, UpperCaseAgreesWithGlibcsUnicodeLocale) {
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (utf8 == static_cast<locale_t>(0)) GTEST_SKIP() << "no C.UTF-8 locale";
    for (const auto& [first, last] :
         {std::pair(0x0000, 0x017F), std::pair(0x0370, 0x03FF), std::pair(0x0400, 0x052F)}) {
        for (int c = first; c <= last; ++c) {
            EXPECT_EQ(int(skptext::ToUpper(char16_t(c))), int(towupper_l(wint_t(c), utf8)))
                << std::hex << c;
        }
    }
    freelocale(utf8);
}
#endif

}  // namespace
