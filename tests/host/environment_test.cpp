// GetTempPathW and GetSystemDefaultUILanguage read the process environment.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "env_guard.h"

namespace {

TEST(GetTempPathW, FollowsTmpdirWithOneTrailingSlash) {
    const std::pair<const char*, std::u16string> cases[] = {
        {"/var/scratch/", u"/var/scratch/"},
        {"/var/scratch", u"/var/scratch/"},
        {"/tmp/r\xC3\xA9sum\xC3\xA9", u"/tmp/r\u00E9sum\u00E9/"},
        {"", u"/tmp/"},
        {nullptr, u"/tmp/"}};
    EnvGuard env;
    for (const auto& [tmpdir, expected] : cases) {
        env.Put("TMPDIR", tmpdir);
        WCHAR buffer[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
        ASSERT_EQ(length, expected.size()) << (tmpdir ? tmpdir : "(unset)");
        EXPECT_EQ(std::u16string(buffer, length + 1), expected + u'\0');
    }
}

TEST(GetTempPathW, TooSmallBufferGetsTheSizeWithNulAndStaysUntouched) {
    EnvGuard env;
    env.Set("TMPDIR", "/abc");  // "/abc/" is 5 characters, 6 with the NUL
    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(GetTempPathW(5, buffer), 6u);
    EXPECT_EQ(std::u16string(buffer, 8), u"########");
    EXPECT_EQ(GetTempPathW(0, nullptr), 6u);
    EXPECT_EQ(GetTempPathW(6, buffer), 5u);
    EXPECT_EQ(std::u16string(buffer, 7), std::u16string(u"/abc/\0#", 7));

    env.Set("TMPDIR", "/" + std::string(299, 'd'));
    WCHAR big[MAX_PATH + 1] = {u'#'};
    EXPECT_EQ(GetTempPathW(MAX_PATH + 1, big), 302u);  // 300 characters, the added '/' and the NUL
    EXPECT_EQ(big[0], u'#');
}

TEST(GetSystemDefaultUILanguage, MapsTheFirstNonEmptyLocaleVariable) {
    const std::pair<const char*, LANGID> cases[] = {
        {"zh_CN.UTF-8", 0x0804}, {"fr_FR.UTF-8", 0x040C}, {"it_IT", 0x0410},
        {"ja_JP.eucJP", 0x0411}, {"ko", 0x0412},          {"ru_RU@latin", 0x0419},
        {"de_DE", 0x0407},       {"es_ES.UTF-8", 0x0C0A}, {"pt_BR.UTF-8", 0x0416},
        {"en_GB.UTF-8", 0x0409}, {"C", 0x0409},           {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},     {"nl_NL.UTF-8", 0x0409}, {"frr_DE", 0x0409},
        {"FR_fr", 0x040C},
    };
    EnvGuard env;
    const char* const where[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const auto& [locale, expected] : cases) {
        // LC_ALL, then LC_MESSAGES, then LANG decides: an empty one counts as unset.
        const char* const placements[3][3] = {{locale, "fr_FR.UTF-8", "ja_JP.UTF-8"},
                                              {"", locale, "ja_JP.UTF-8"},
                                              {nullptr, "", locale}};
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k) env.Put(where[k], placements[i][k]);
            EXPECT_EQ(GetSystemDefaultUILanguage(), expected) << locale << " in " << where[i];
        }
    }
    env.Put("LC_MESSAGES", nullptr);
    env.Put("LANG", nullptr);
    EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0409);  // none set
}

}  // namespace
