// GetSystemDefaultUILanguage from the POSIX locale variables, read in the order the C library
// uses for messages.

#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr LANGID kEnglishUs = 0x0409;

struct LanguageId {
    std::string_view code;
    LANGID id;
};

// The language of each translation the plug-in carries, with the sub-language Windows reports
// by default for it.
constexpr LanguageId kLanguages[] = {
    {"zh", 0x0804}, {"fr", 0x040C}, {"it", 0x0410}, {"ja", 0x0411}, {"ko", 0x0412},
    {"ru", 0x0419}, {"de", 0x0407}, {"es", 0x0C0A}, {"pt", 0x0416}, {"en", kEnglishUs},
};

const char* MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return nullptr;
}

// "fr_FR.UTF-8@euro" -> "fr", lower-cased without the locale's help.
std::string LanguageCode(std::string_view locale) {
    std::string code(locale.substr(0, locale.find_first_of("_.@")));
    for (char& c : code)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return code;
}

}  // namespace

extern "C" LANGID GetSystemDefaultUILanguage(void) {
    const char* locale = MessagesLocale();
    if (locale == nullptr) return kEnglishUs;
    const std::string code = LanguageCode(locale);
    for (const LanguageId& language : kLanguages)
        if (language.code == code) return language.id;
    return kEnglishUs;
}
