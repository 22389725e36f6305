// The Microsoft-convention wide printf family.

#include <crt_wide.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <cstdint>
#include <string>

namespace {

std::u16string Format(const char16_t* format, ...) {
    WCHAR buffer[512];
    va_list args;
    va_start(args, format);
    const int length = vswprintf_s(buffer, 512, format, args);
    va_end(args);
    EXPECT_GE(length, 0) << "format refused";
    return length < 0 ? u"<refused>" : std::u16string(buffer, static_cast<size_t>(length));
}

TEST(WidePrintf, IntegersWithFlagsWidthAndPrecision) {
    EXPECT_EQ(Format(u"%d|%i|%u", -42, 7, 3000000000u), u"-42|7|3000000000");
    EXPECT_EQ(Format(u"%5d|%-5d|%05d|%+d|% d", 42, 42, -42, 42, 42), u"   42|42   |-0042|+42| 42");
    EXPECT_EQ(Format(u"%.3d|%8.3d|%.0d|", 7, -7, 0), u"007|    -007||");
    EXPECT_EQ(Format(u"%x|%X|%#x|%08X|%o|%#o", 255u, 255u, 255u, 0xBEEFu, 8u, 8u),
              u"ff|FF|0xff|0000BEEF|10|010");
    EXPECT_EQ(Format(u"%*d|%-*d|%.*d", 4, 1, 3, 2, 2, 3), u"   1|2  |03");
    EXPECT_EQ(Format(u"%*d", -4, 1), u"1   ");
}

TEST(WidePrintf, IntegerLengthModifiers) {
    EXPECT_EQ(Format(u"%lld|%llu", -9000000000LL, 18446744073709551615ULL),
              u"-9000000000|18446744073709551615");
    EXPECT_EQ(Format(u"%zu|%zd", size_t{1} << 40, static_cast<ptrdiff_t>(-5)), u"1099511627776|-5");
    EXPECT_EQ(Format(u"%ld|%lu", -1234567890123L, 1234567890123UL),
              u"-1234567890123|1234567890123");
    EXPECT_EQ(Format(u"%hd|%hu|%hhd", 70000, 70000, 300), u"4464|4464|44");
    EXPECT_EQ(Format(u"%I64d|%d", int64_t{-1} << 40, 5), u"-1099511627776|5");
    EXPECT_EQ(Format(u"%d", INT32_MIN), u"-2147483648");
    EXPECT_EQ(Format(u"%lld", INT64_MIN), u"-9223372036854775808");
}

TEST(WidePrintf, WideAndNarrowStrings) {
    EXPECT_EQ(Format(u"%s and %ls", u"wide", u"also wide"), u"wide and also wide");
    EXPECT_EQ(Format(u"%S|%hs", "narrow", "na\xC3\xAFve"), u"narrow|na\u00EFve");
    EXPECT_EQ(Format(u"[%6s][%-6s][%.2s]", u"ab", u"ab", u"abcdef"), u"[    ab][ab    ][ab]");
    EXPECT_EQ(Format(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)");
    EXPECT_EQ(Format(u"%s", u"\U0001F600"), u"\U0001F600");
}

TEST(WidePrintf, CharactersAndPercent) {
    EXPECT_EQ(Format(u"%c%c|%C|%3c|100%%", u'o', u'\u00E9', 'n', u'x'), u"o\u00E9|n|  x|100%");
}

TEST(WidePrintf, FloatingPointMatchesC) {
    EXPECT_EQ(Format(u"%f|%.2f|%8.3f|%-8.1f|", 3.14159, 2.005, -1.5, 2.25),
              u"3.141590|2.00|  -1.500|2.2     |");
    EXPECT_EQ(Format(u"%g|%g|%g|%G", 0.0001, 123456789.0, 100.0, 1e-10),
              u"0.0001|1.23457e+08|100|1E-10");
    EXPECT_EQ(Format(u"%e|%.0f|%+.1f|%010.2f", 12345.678, 2.5, 1.0, -3.14159),
              u"1.234568e+04|2|+1.0|-000003.14");
    EXPECT_EQ(Format(u"%f|%F", 1.0 / 0.0, -1.0 / 0.0), u"inf|-INF");
    EXPECT_EQ(Format(u"%.3f", 1e300).size(), 305u);  // 301 integer digits, the point and 3
}

TEST(WidePrintf, IgnoresTheProcessLocale) {
    // A locale with a decimal comma, when the system has one; the output must not change.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                          std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    const std::u16string text = Format(u"%.2f|%g", 1.5, 0.25);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(text, u"1.50|0.25");
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(WidePrintf, MeasuringLeavesTheArgumentListForFormatting) {
    // The Microsoft pattern: measure with a va_list, then format with the same va_list.
    auto measureThenFormat = [](const char16_t* format, ...) {
        va_list args;
        va_start(args, format);
        const int length = _vscwprintf(format, args);
        std::u16string text(static_cast<size_t>(length) + 1, u'#');
        const int written = vswprintf_s(text.data(), text.size(), format, args);
        va_end(args);
        EXPECT_EQ(written, length);
        text.resize(static_cast<size_t>(written < 0 ? 0 : written));
        return text;
    };
    EXPECT_EQ(measureThenFormat(u"%s_%d_%s", u"wood", 12, u"oak"), u"wood_12_oak");
}

TEST(WidePrintf, TooSmallBufferGivesMinusOneAndEmptyString) {
    WCHAR buffer[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
    EXPECT_EQ(swprintf_s(buffer, 6, u"%s", u"hello!"), -1);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(swprintf_s(buffer, 6, u"%s", u"hello"), 5);  // exactly fits with the NUL
    EXPECT_EQ(std::u16string(buffer), u"hello");
    EXPECT_EQ(swprintf_s(nullptr, 0, u"x"), -1);
}

TEST(WidePrintf, RefusesMalformedFormats) {
    WCHAR buffer[16];
    EXPECT_EQ(swprintf_s(buffer, 16, u"%y", 1), -1);
    EXPECT_EQ(swprintf_s(buffer, 16, u"abc%"), -1);
    int count = 0;
    EXPECT_EQ(swprintf_s(buffer, 16, u"%n", &count), -1);
}

TEST(WidePrintf, PointerIsFixedWidthUpperHex) {
    EXPECT_EQ(Format(u"%p", reinterpret_cast<void*>(0xABCD)), u"000000000000ABCD");
}

}  // namespace
