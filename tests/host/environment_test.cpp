// GetTempPathW and GetSystemDefaultUILanguage read the process environment.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "env_guard.h"

namespace {

std::u16string TempPath() {
    WCHAR buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    EXPECT_GT(length, 0u);
    EXPECT_LE(length, static_cast<DWORD>(MAX_PATH));
    return std::u16string(buffer, length);
}

TEST(GetTempPathW, UsesTmpdirAndEndsWithSlash) {
    EnvGuard env;
    env.Set("TMPDIR", "/var/scratch/");
    EXPECT_EQ(TempPath(), u"/var/scratch/");
    env.Set("TMPDIR", "/var/scratch");
    EXPECT_EQ(TempPath(), u"/var/scratch/");
    env.Set("TMPDIR", "/tmp/r\xC3\xA9sum\xC3\xA9");
    EXPECT_EQ(TempPath(), u"/tmp/r\u00E9sum\u00E9/");
}

TEST(GetTempPathW, FallsBackToTmpWhenUnsetOrEmpty) {
    EnvGuard env;
    env.Unset("TMPDIR");
    EXPECT_EQ(TempPath(), u"/tmp/");
    env.Set("TMPDIR", "");
    EXPECT_EQ(TempPath(), u"/tmp/");
}

TEST(GetTempPathW, SmallBufferGetsRequiredSizeWithNulAndStaysUntouched) {
    EnvGuard env;
    env.Set("TMPDIR", "/abc");  // "/abc/" is 5 characters, 6 with the NUL
    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(GetTempPathW(5, buffer), 6u);
    EXPECT_EQ(std::u16string(buffer, 8), u"########");
    EXPECT_EQ(GetTempPathW(0, nullptr), 6u);
    EXPECT_EQ(GetTempPathW(6, buffer), 5u);
    EXPECT_EQ(std::u16string(buffer, 6), std::u16string(u"/abc/\0", 6));
    EXPECT_EQ(buffer[6], u'#');
}

TEST(GetTempPathW, PathLongerThanMaxPathDoesNotFit) {
    EnvGuard env;
    env.Set("TMPDIR", "/" + std::string(299, 'd'));
    WCHAR buffer[MAX_PATH + 1] = {u'#'};
    const DWORD result = GetTempPathW(MAX_PATH + 1, buffer);
    EXPECT_EQ(result, 302u);  // 300 characters, the added '/' and the NUL
    EXPECT_GT(result, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(buffer[0], u'#');
}

struct LocaleCase {
    const char* locale;
    LANGID expected;
};

TEST(GetSystemDefaultUILanguage, MapsLanguageCodes) {
    const LocaleCase cases[] = {
        {"zh_CN.UTF-8", 0x0804}, {"fr_FR.UTF-8", 0x040C}, {"it_IT", 0x0410},
        {"ja_JP.eucJP", 0x0411}, {"ko", 0x0412},          {"ru_RU@latin", 0x0419},
        {"de_DE", 0x0407},       {"es_ES.UTF-8", 0x0C0A}, {"pt_BR.UTF-8", 0x0416},
        {"en_GB.UTF-8", 0x0409}, {"C", 0x0409},           {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},     {"nl_NL.UTF-8", 0x0409}, {"frr_DE", 0x0409},
        {"FR_fr", 0x040C},
    };
    EnvGuard env;
    env.Unset("LC_ALL");
    env.Unset("LC_MESSAGES");
    for (const LocaleCase& c : cases) {
        env.Set("LANG", c.locale);
        EXPECT_EQ(GetSystemDefaultUILanguage(), c.expected) << c.locale;
    }
    env.Unset("LANG");
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0409);
}

TEST(GetSystemDefaultUILanguage, FirstSetNonEmptyVariableWins) {
    EnvGuard env;
    env.Set("LC_ALL", "de_DE.UTF-8");
    env.Set("LC_MESSAGES", "fr_FR.UTF-8");
    env.Set("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0407);
    env.Set("LC_ALL", "");
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x040C);
    env.Unset("LC_MESSAGES");
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0411);
    env.Set("LC_ALL", "C");
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0409);
}

TEST(LanguageMacros, SplitPrimaryAndSubLanguage) {
    EXPECT_EQ(PRIMARYLANGID(0x0C0A), 0x0A);
    EXPECT_EQ(SUBLANGID(0x0C0A), 0x03);
    EXPECT_EQ(MAKELANGID(0x0A, 0x03), 0x0C0A);
    EXPECT_EQ(PRIMARYLANGID(MAKELANGID(0x04, 0x02)), 0x04);
}

}  // namespace
