#include "skptext/utf.h"

#include <cstdint>

namespace skptext {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

// The range the second byte of a sequence must lie in, which rules out overlong forms,
// surrogates and values above U+10FFFF (Unicode table 3-7).
struct LeadInfo {
    int length;  // 0: not a lead byte
    uint8_t secondLow, secondHigh;
};

LeadInfo Lead(uint8_t b) {
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

std::string ToUtf8(std::u16string_view text, bool* replaced) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
            if (replaced) *replaced = true;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string ToUtf16(std::string_view text, bool* replaced) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        const LeadInfo lead = Lead(b);
        char32_t c = b & (0xFF >> (lead.length + 1));
        size_t used = 1;
        bool valid = lead.length != 0;
        for (int k = 1; valid && k < lead.length; ++k) {
            if (i + k >= text.size()) {
                valid = false;
                break;
            }
            const uint8_t next = static_cast<uint8_t>(text[i + k]);
            const uint8_t low = k == 1 ? lead.secondLow : 0x80;
            const uint8_t high = k == 1 ? lead.secondHigh : 0xBF;
            if (next < low || next > high) {
                valid = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
            ++used;
        }
        if (valid) {
            AppendUtf16(out, c);
        } else {
            // The maximal subpart consumed so far is replaced by one U+FFFD.
            out += static_cast<char16_t>(kReplacement);
            if (replaced) *replaced = true;
        }
        i += used;
    }
    return out;
}

std::optional<std::string> ToUtf8Strict(std::u16string_view text) {
    bool replaced = false;
    std::string out = ToUtf8(text, &replaced);
    if (replaced) return std::nullopt;
    return out;
}

std::optional<std::u16string> ToUtf16Strict(std::string_view text) {
    bool replaced = false;
    std::u16string out = ToUtf16(text, &replaced);
    if (replaced) return std::nullopt;
    return out;
}

}  // namespace skptext
