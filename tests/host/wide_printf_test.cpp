// The Microsoft-convention wide printf family, for the directives the plug-in formats names with.

#include <crt_wide.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <string>

namespace {

// The Microsoft pattern: measure, then format with the same va_list into a buffer of exactly the
// measured size; measuring must leave the list for formatting.
std::u16string MeasureThenFormat(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = _vscwprintf(format, args);
    std::u16string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, u'#');
    const int written = vswprintf_s(text.data(), text.size(), format, args);
    va_end(args);
    EXPECT_GE(length, 0) << "format refused";
    EXPECT_EQ(written, length);
    text.resize(static_cast<size_t>(written < 0 ? 0 : written));
    return text;
}

TEST(WidePrintf, FormatsTheDirectivesThePluginUses) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {MeasureThenFormat(u"%s_%d_%s", u"wood", 12, u"oak"), u"wood_12_oak"},
        {MeasureThenFormat(u"%d|%i|%u", -42, 7, 3000000000u), u"-42|7|3000000000"},
        {MeasureThenFormat(u"%d|%u", INT32_MIN, UINT32_MAX), u"-2147483648|4294967295"},
        {MeasureThenFormat(u"%5d|%-5d|%05d|%03u", 42, 42, -42, 7u), u"   42|42   |-0042|007"},
        {MeasureThenFormat(u"%s and %ls", u"wide", u"also wide"), u"wide and also wide"},
        {MeasureThenFormat(u"[%6s][%-6s][%.2s]", u"ab", u"ab", u"abcdef"), u"[    ab][ab    ][ab]"},
        {MeasureThenFormat(u"%s", u"\u00E9\U0001F600"), u"\u00E9\U0001F600"},
        {MeasureThenFormat(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)"},
        {MeasureThenFormat(u"100%%"), u"100%"},
    };
    for (const auto& [formatted, expected] : cases) EXPECT_EQ(formatted, expected);
}

TEST(WidePrintf, TooSmallBufferOrMalformedFormatGivesMinusOne) {
    WCHAR buffer[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
    EXPECT_EQ(swprintf_s(buffer, 6, u"%s", u"hello!"), -1);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(swprintf_s(buffer, 6, u"%s", u"hello"), 5);  // exactly fits with the NUL
    EXPECT_EQ(std::u16string(buffer), u"hello");
    EXPECT_EQ(swprintf_s(buffer, 6, u"%y", 1), -1);
    EXPECT_EQ(swprintf_s(buffer, 6, u"abc%"), -1);
}

}  // namespace
