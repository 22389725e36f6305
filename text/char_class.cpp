#include "skptext/char_class.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace skptext {
namespace {

struct Range {
    char16_t first, last;
};

// Sorted, from the Unicode Character Database (14.0): general category L* or Nd within the
// blocks IsLetterOrDigit names.
constexpr Range kLettersAndDigits[] = {
    {0x0030, 0x0039}, {0x0041, 0x005A}, {0x0061, 0x007A}, {0x00AA, 0x00AA}, {0x00B5, 0x00B5},
    {0x00BA, 0x00BA}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x02C1}, {0x02C6, 0x02D1},
    {0x02E0, 0x02E4}, {0x02EC, 0x02EC}, {0x02EE, 0x02EE}, {0x0370, 0x0374}, {0x0376, 0x0377},
    {0x037A, 0x037D}, {0x037F, 0x037F}, {0x0386, 0x0386}, {0x0388, 0x038A}, {0x038C, 0x038C},
    {0x038E, 0x03A1}, {0x03A3, 0x03F5}, {0x03F7, 0x0481}, {0x048A, 0x052F}, {0x1100, 0x11FF},
    {0x3041, 0x3096}, {0x309D, 0x309F}, {0x30A1, 0x30FA}, {0x30FC, 0x30FF}, {0x3131, 0x318E},
    {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3}, {0xFF10, 0xFF19}, {0xFF21, 0xFF3A},
    {0xFF41, 0xFF5A}, {0xFF66, 0xFFBE}, {0xFFC2, 0xFFC7}, {0xFFCA, 0xFFCF}, {0xFFD2, 0xFFD7},
    {0xFFDA, 0xFFDC},
};

// Unicode's White_Space property, sorted.
constexpr Range kWhiteSpace[] = {
    {0x0009, 0x000D}, {0x0020, 0x0020}, {0x0085, 0x0085}, {0x00A0, 0x00A0}, {0x1680, 0x1680},
    {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000},
};

// Lower-case letters from `first` to `last`, every `stride`-th one, map to themselves plus
// `delta`. Sorted; from the Unicode Character Database (14.0), simple upper-case mappings of the
// blocks ToUpper names.
struct CaseRange {
    char16_t first, last;
    int16_t delta;
    uint8_t stride;
};

constexpr CaseRange kUpperCase[] = {
    {0x0061, 0x007A, -32, 1},  {0x00B5, 0x00B5, 743, 1},  {0x00E0, 0x00F6, -32, 1},
    {0x00F8, 0x00FE, -32, 1},  {0x00FF, 0x00FF, 121, 1},  {0x0101, 0x012F, -1, 2},
    {0x0131, 0x0131, -232, 1}, {0x0133, 0x0137, -1, 2},   {0x013A, 0x0148, -1, 2},
    {0x014B, 0x0177, -1, 2},   {0x017A, 0x017E, -1, 2},   {0x017F, 0x017F, -300, 1},
    {0x0371, 0x0373, -1, 2},   {0x0377, 0x0377, -1, 1},   {0x037B, 0x037D, 130, 1},
    {0x03AC, 0x03AC, -38, 1},  {0x03AD, 0x03AF, -37, 1},  {0x03B1, 0x03C1, -32, 1},
    {0x03C2, 0x03C2, -31, 1},  {0x03C3, 0x03CB, -32, 1},  {0x03CC, 0x03CC, -64, 1},
    {0x03CD, 0x03CE, -63, 1},  {0x03D0, 0x03D0, -62, 1},  {0x03D1, 0x03D1, -57, 1},
    {0x03D5, 0x03D5, -47, 1},  {0x03D6, 0x03D6, -54, 1},  {0x03D7, 0x03D7, -8, 1},
    {0x03D9, 0x03EF, -1, 2},   {0x03F0, 0x03F0, -86, 1},  {0x03F1, 0x03F1, -80, 1},
    {0x03F2, 0x03F2, 7, 1},    {0x03F3, 0x03F3, -116, 1}, {0x03F5, 0x03F5, -96, 1},
    {0x03F8, 0x03F8, -1, 1},   {0x03FB, 0x03FB, -1, 1},   {0x0430, 0x044F, -32, 1},
    {0x0450, 0x045F, -80, 1},  {0x0461, 0x0481, -1, 2},   {0x048B, 0x04BF, -1, 2},
    {0x04C2, 0x04CE, -1, 2},   {0x04CF, 0x04CF, -15, 1},  {0x04D1, 0x052F, -1, 2},
};

template <typename Entry, size_t N>
const Entry* Find(const Entry (&table)[N], char16_t c) {
    const Entry* end = std::end(table);
    const Entry* entry =
        std::upper_bound(std::begin(table), end, c,
                         [](char16_t value, const Entry& range) { return value < range.first; });
    if (entry == std::begin(table)) return nullptr;
    --entry;
    return c <= entry->last ? entry : nullptr;
}

}  // namespace

bool IsWhiteSpace(char16_t c) {
    return Find(kWhiteSpace, c) != nullptr;
}

bool IsLetterOrDigit(char16_t c) {
    return Find(kLettersAndDigits, c) != nullptr;
}

char16_t ToUpper(char16_t c) {
    const CaseRange* range = Find(kUpperCase, c);
    if (range == nullptr || (c - range->first) % range->stride != 0) return c;
    return static_cast<char16_t>(c + range->delta);
}

std::u16string ToUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) c = ToUpper(c);
    return upper;
}

}  // namespace skptext
