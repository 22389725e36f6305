#include "wide_format.h"

#include <skptext/utf.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <vector>

namespace winapi {
namespace {

// A va_list in a struct, so that helpers can take it by reference on every ABI.
struct Arguments {
    va_list list;
};

enum class Length {
    kNone,
    kChar,
    kShort,
    kLong,
    kLongLong,
    kSize,
    kMax,
    kPtrDiff,
    kInt64,
    kInt32,
    kLongDouble,
    kWide
};

struct Directive {
    bool left = false, zero = false, plus = false, space = false, alternate = false;
    int width = 0;
    int precision = -1;  // -1: none
    Length length = Length::kNone;
    char16_t conversion = 0;
};

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads digits or '*' (an int argument). Returns false on overflow.
bool ReadNumber(const char16_t*& p, Arguments& args, int& value, bool& fromArgument) {
    fromArgument = false;
    if (*p == u'*') {
        ++p;
        value = va_arg(args.list, int);
        fromArgument = true;
        return true;
    }
    long long n = 0;
    while (IsDigit(*p)) {
        n = n * 10 + (*p++ - u'0');
        if (n > INT32_MAX) return false;
    }
    value = static_cast<int>(n);
    return true;
}

Length ReadLength(const char16_t*& p) {
    auto starts = [&](std::u16string_view prefix) {
        return std::u16string_view(p).substr(0, prefix.size()) == prefix;
    };
    if (starts(u"hh")) return p += 2, Length::kChar;
    if (starts(u"ll")) return p += 2, Length::kLongLong;
    if (starts(u"I64")) return p += 3, Length::kInt64;
    if (starts(u"I32")) return p += 3, Length::kInt32;
    switch (*p) {
        case u'h':
            return ++p, Length::kShort;
        case u'l':
            return ++p, Length::kLong;
        case u'L':
            return ++p, Length::kLongDouble;
        case u'z':
        case u'I':
            return ++p, Length::kSize;
        case u'j':
            return ++p, Length::kMax;
        case u't':
            return ++p, Length::kPtrDiff;
        case u'w':
            return ++p, Length::kWide;
        default:
            return Length::kNone;
    }
}

// Parses one directive after its '%'. False when it is malformed.
bool ParseDirective(const char16_t*& p, Arguments& args, Directive& d) {
    for (;; ++p) {
        if (*p == u'-')
            d.left = true;
        else if (*p == u'0')
            d.zero = true;
        else if (*p == u'+')
            d.plus = true;
        else if (*p == u' ')
            d.space = true;
        else if (*p == u'#')
            d.alternate = true;
        else
            break;
    }
    bool fromArgument = false;
    if (!ReadNumber(p, args, d.width, fromArgument)) return false;
    if (d.width < 0) {  // a negative '*' width means left alignment
        d.left = true;
        d.width = d.width == INT32_MIN ? INT32_MAX : -d.width;
    }
    if (*p == u'.') {
        ++p;
        if (!ReadNumber(p, args, d.precision, fromArgument)) return false;
        if (d.precision < 0) d.precision = -1;  // a negative '*' precision means none
    }
    d.length = ReadLength(p);
    d.conversion = *p;
    if (d.conversion == u'\0') return false;
    ++p;
    return true;
}

void Pad(std::u16string& out, int count, char16_t fill) {
    if (count > 0) out.append(static_cast<size_t>(count), fill);
}

// Emits prefix (sign, 0x) and body within the field width.
void EmitField(std::u16string& out, const Directive& d, std::u16string_view prefix,
               std::u16string_view body, bool zeroPadAllowed) {
    const int size = static_cast<int>(prefix.size() + body.size());
    const int padding = d.width > size ? d.width - size : 0;
    if (d.left) {
        out.append(prefix).append(body);
        Pad(out, padding, u' ');
    } else if (d.zero && zeroPadAllowed) {
        out.append(prefix);
        Pad(out, padding, u'0');
        out.append(body);
    } else {
        Pad(out, padding, u' ');
        out.append(prefix).append(body);
    }
}

std::u16string Widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

uint64_t UnsignedArgument(Length length, Arguments& args) {
    switch (length) {
        case Length::kChar:
            return static_cast<unsigned char>(va_arg(args.list, unsigned));
        case Length::kShort:
            return static_cast<unsigned short>(va_arg(args.list, unsigned));
        case Length::kLong:
            return va_arg(args.list, unsigned long);
        case Length::kLongLong:
            return va_arg(args.list, unsigned long long);
        case Length::kSize:
            return va_arg(args.list, size_t);
        case Length::kMax:
            return va_arg(args.list, uintmax_t);
        case Length::kPtrDiff:
            return static_cast<uint64_t>(va_arg(args.list, ptrdiff_t));
        case Length::kInt64:
            return va_arg(args.list, uint64_t);
        default:
            return va_arg(args.list, unsigned);
    }
}

int64_t SignedArgument(Length length, Arguments& args) {
    switch (length) {
        case Length::kChar:
            return static_cast<signed char>(va_arg(args.list, int));
        case Length::kShort:
            return static_cast<short>(va_arg(args.list, int));
        case Length::kLong:
            return va_arg(args.list, long);
        case Length::kLongLong:
            return va_arg(args.list, long long);
        case Length::kSize:
            return static_cast<int64_t>(va_arg(args.list, size_t));
        case Length::kMax:
            return va_arg(args.list, intmax_t);
        case Length::kPtrDiff:
            return va_arg(args.list, ptrdiff_t);
        case Length::kInt64:
            return va_arg(args.list, int64_t);
        default:
            return va_arg(args.list, int);
    }
}

void FormatInteger(std::u16string& out, const Directive& d, Arguments& args) {
    const char16_t c = d.conversion;
    const bool isSigned = c == u'd' || c == u'i';
    uint64_t magnitude;
    std::u16string prefix;
    if (isSigned) {
        const int64_t value = SignedArgument(d.length, args);
        magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        if (value < 0)
            prefix = u"-";
        else if (d.plus)
            prefix = u"+";
        else if (d.space)
            prefix = u" ";
    } else {
        magnitude = UnsignedArgument(d.length, args);
    }
    const int base = (c == u'x' || c == u'X') ? 16 : c == u'o' ? 8 : 10;
    char digits[32];
    auto result = std::to_chars(digits, digits + sizeof digits, magnitude, base);
    std::u16string body = Widen(std::string_view(digits, result.ptr));
    if (c == u'X')
        for (char16_t& ch : body)
            if (ch >= u'a' && ch <= u'f') ch = static_cast<char16_t>(ch - u'a' + u'A');
    if (d.precision == 0 && magnitude == 0) body.clear();
    if (d.precision > static_cast<int>(body.size()))
        body.insert(0, static_cast<size_t>(d.precision) - body.size(), u'0');
    if (d.alternate && magnitude != 0 && base == 16) prefix = c == u'x' ? u"0x" : u"0X";
    if (d.alternate && base == 8 && (body.empty() || body[0] != u'0')) body.insert(0, u"0");
    EmitField(out, d, prefix, body, d.precision < 0);
}

void FormatFloat(std::u16string& out, const Directive& d, Arguments& args) {
    // long double arguments are taken as double: Microsoft's long double is a double.
    const double value = d.length == Length::kLongDouble
                             ? static_cast<double>(va_arg(args.list, long double))
                             : va_arg(args.list, double);
    const char16_t c = d.conversion;
    const bool upper = c == u'F' || c == u'E' || c == u'G' || c == u'A';
    std::chars_format format = std::chars_format::general;
    if (c == u'f' || c == u'F')
        format = std::chars_format::fixed;
    else if (c == u'e' || c == u'E')
        format = std::chars_format::scientific;
    else if (c == u'a' || c == u'A')
        format = std::chars_format::hex;
    const int precision =
        d.precision < 0 ? (format == std::chars_format::hex ? -1 : 6) : d.precision;
    const double magnitude = std::signbit(value) ? -value : value;
    // Room for the 309 integer digits of the largest double, the precision and the exponent.
    std::vector<char> buffer(static_cast<size_t>(precision < 0 ? 0 : precision) + 400);
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const auto result = precision < 0 ? std::to_chars(first, last, magnitude, format)
                                      : std::to_chars(first, last, magnitude, format, precision);
    std::string text(first, result.ptr);
    if (format == std::chars_format::hex && std::isfinite(value)) text.insert(0, "0x");
    if (d.alternate && std::isfinite(value) && text.find('.') == std::string::npos) {
        const size_t exponent = text.find_first_of("eEpP");
        text.insert(exponent == std::string::npos ? text.size() : exponent, ".");
    }
    if (upper)
        for (char& ch : text)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    std::u16string prefix;
    if (std::signbit(value))
        prefix = u"-";
    else if (d.plus)
        prefix = u"+";
    else if (d.space)
        prefix = u" ";
    EmitField(out, d, prefix, Widen(text), std::isfinite(value));
}

void FormatText(std::u16string& out, const Directive& d, std::u16string text) {
    if (d.precision >= 0 && text.size() > static_cast<size_t>(d.precision))
        text.resize(d.precision);
    EmitField(out, d, u"", text, false);
}

// %s and %c are wide in the wide functions; %S, %C, h and narrow forms take char data.
bool IsNarrow(const Directive& d) {
    if (d.length == Length::kShort) return true;
    if (d.length == Length::kLong || d.length == Length::kWide) return false;
    return d.conversion == u'S' || d.conversion == u'C';
}

void FormatString(std::u16string& out, const Directive& d, Arguments& args) {
    if (IsNarrow(d)) {
        const char* text = va_arg(args.list, const char*);
        FormatText(out, d, text ? skptext::ToUtf16(text) : u"(null)");
    } else {
        const char16_t* text = va_arg(args.list, const char16_t*);
        FormatText(out, d, text ? std::u16string(text) : u"(null)");
    }
}

void FormatCharacter(std::u16string& out, const Directive& d, Arguments& args) {
    const int value = va_arg(args.list, int);
    const std::u16string text = IsNarrow(d)
                                    ? skptext::ToUtf16(std::string(1, static_cast<char>(value)))
                                    : std::u16string(1, static_cast<char16_t>(value));
    EmitField(out, d, u"", text, false);
}

void FormatPointer(std::u16string& out, const Directive& d, Arguments& args) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(va_arg(args.list, void*));
    char digits[2 * sizeof(uintptr_t) + 1];
    std::snprintf(digits, sizeof digits, "%0*llX", static_cast<int>(2 * sizeof(uintptr_t)),
                  static_cast<unsigned long long>(value));
    EmitField(out, d, u"", Widen(digits), false);
}

bool FormatDirective(std::u16string& out, const Directive& d, Arguments& args) {
    switch (d.conversion) {
        case u'%':
            out += u'%';
            return true;
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
        case u'o':
            FormatInteger(out, d, args);
            return true;
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A':
            FormatFloat(out, d, args);
            return true;
        case u's':
        case u'S':
            FormatString(out, d, args);
            return true;
        case u'c':
        case u'C':
            FormatCharacter(out, d, args);
            return true;
        case u'p':
            FormatPointer(out, d, args);
            return true;
        default:
            return false;  // %n and unknown directives
    }
}

}  // namespace

bool FormatWide(const char16_t* format, va_list args, std::u16string& out) {
    if (format == nullptr) return false;
    // A copy: on the Microsoft ABI va_list is passed by value, and callers rely on measuring and
    // then formatting with the same list.
    Arguments arguments;
    va_copy(arguments.list, args);
    bool ok = true;
    for (const char16_t* p = format; ok && *p != u'\0';) {
        if (*p != u'%') {
            out += *p++;
            continue;
        }
        ++p;
        Directive d;
        ok = ParseDirective(p, arguments, d) && FormatDirective(out, d, arguments);
    }
    va_end(arguments.list);
    return ok;
}

}  // namespace winapi
