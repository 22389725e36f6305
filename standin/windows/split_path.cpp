// _wsplitpath_s with the Microsoft runtime's rules: both '\\' and '/' separate folders, the
// extension starts at the last '.' of the file-name part.

#include <crt_wide.h>

#include <cerrno>
#include <string_view>

namespace {

struct Output {
    WCHAR* buffer;
    size_t size;
};

bool ValidPair(const Output& o) {
    return (o.buffer == nullptr) == (o.size == 0);
}

bool Fits(const Output& o, std::u16string_view part) {
    return o.buffer == nullptr || part.size() < o.size;
}

void Store(const Output& o, std::u16string_view part) {
    if (o.buffer == nullptr) return;
    part.copy(o.buffer, part.size());
    o.buffer[part.size()] = u'\0';
}

void Clear(const Output& o) {
    if (o.buffer != nullptr) o.buffer[0] = u'\0';
}

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

extern "C" int _wsplitpath_s(const WCHAR* path, WCHAR* drive, size_t driveNumberOfElements,
                             WCHAR* dir, size_t dirNumberOfElements, WCHAR* fname,
                             size_t nameNumberOfElements, WCHAR* ext, size_t extNumberOfElements) {
    const Output outputs[4] = {{drive, driveNumberOfElements},
                               {dir, dirNumberOfElements},
                               {fname, nameNumberOfElements},
                               {ext, extNumberOfElements}};
    bool valid = path != nullptr;
    for (const Output& o : outputs) valid = valid && ValidPair(o);
    if (!valid) {
        for (const Output& o : outputs)
            if (ValidPair(o)) Clear(o);
        return EINVAL;
    }

    std::u16string_view rest(path);
    std::u16string_view parts[4];
    if (rest.size() >= 2 && IsLetter(rest[0]) && rest[1] == u':') {
        parts[0] = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    const size_t separator = rest.find_last_of(u"\\/");
    if (separator != std::u16string_view::npos) {
        parts[1] = rest.substr(0, separator + 1);
        rest.remove_prefix(separator + 1);
    }
    const size_t dot = rest.rfind(u'.');
    parts[2] = rest.substr(0, dot);
    if (dot != std::u16string_view::npos) parts[3] = rest.substr(dot);

    for (int i = 0; i < 4; ++i) {
        if (!Fits(outputs[i], parts[i])) {
            for (const Output& o : outputs) Clear(o);
            return ERANGE;
        }
    }
    for (int i = 0; i < 4; ++i) Store(outputs[i], parts[i]);
    return 0;
}
