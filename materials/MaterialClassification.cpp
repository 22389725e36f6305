#include "MaterialClassification.h"

#include <skptext/char_class.h>

namespace Importing {

const std::vector<std::u16string>& GlassKeywords() {
    static const std::vector<std::u16string> words = {u"glass",  u"vidrio", u"verre", u"vetro",
                                                      u"стекло", u"玻璃",   u"vidro", u"ガラス",
                                                      u"유리",   u"garasu", u"glas",  u"szkło"};
    return words;
}

const std::vector<std::u16string>& WaterKeywords() {
    static const std::vector<std::u16string> words = {u"water", u"agua",   u"wasser", u"eau",
                                                      u"acqua", u"vatten", u"вода",   u"水",
                                                      u"água",  u"물",     u"mizu",   u"woda"};
    return words;
}

namespace {

bool ContainsFolded(const std::u16string& upperName, const std::u16string& word) {
    if (word.size() > upperName.size()) return false;
    for (size_t start = 0; start + word.size() <= upperName.size(); ++start) {
        size_t i = 0;
        while (i < word.size() && upperName[start + i] == skptext::ToUpper(word[i])) ++i;
        if (i == word.size()) return true;
    }
    return false;
}

}  // namespace

bool ContainsKeyword(const std::u16string& name, const std::vector<std::u16string>& keywords) {
    // Unicode's case mapping, not the C library's: the same on every platform and in every locale,
    // and it folds the accented, Polish and Cyrillic letters of the keywords too.
    const std::u16string upperName = skptext::ToUpper(name);
    for (const std::u16string& word : keywords) {
        if (ContainsFolded(upperName, word)) return true;
    }
    return false;
}

std::u16string NamePrefixForLanguage(uint16_t languageId) {
    switch (languageId & 0xFF) {  // the primary language
        case 0x04:
            return u"材料";
        case 0x0C:
            return u"Matière";
        case 0x10:
            return u"Materiale";
        case 0x11:
            return u"マテリアル";
        case 0x12:
            return u"재질";
        case 0x19:
            return u"Материал";
        default:
            return u"Material";
    }
}

}  // namespace Importing
