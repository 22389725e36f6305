#include "descriptor.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace skpimport {
namespace {

constexpr GUID kSkpReaderId = {
    0xE8A59704, 0x9DA7, 0x4DAA, {0xB4, 0x43, 0xF4, 0x5E, 0x66, 0x1F, 0x0E, 0x11}};

std::string GuidText(const GUID& id) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", id.Data1,
                  id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

// The name must be NUL-terminated within its field and padded with zeros.
bool FieldHolds(const char (&field)[16], std::string_view expected) {
    if (std::memcmp(field, expected.data(), expected.size()) != 0) return false;
    for (size_t i = expected.size(); i < sizeof field; ++i)
        if (field[i] != '\0') return false;
    return true;
}

bool FieldHolds(const char16_t (&field)[32], std::u16string_view expected) {
    return std::u16string_view(field, std::char_traits<char16_t>::length(field)) == expected &&
           expected.size() < 32;
}

std::string PrintableName(const char (&field)[16]) {
    std::string name(field, strnlen(field, sizeof field));
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) c = '?';
    return name;
}

}  // namespace

std::string CheckDescriptor(const ChannelType& type) {
    if (!FieldHolds(type.name, "SkpReader"))
        return "the plug-in calls itself '" + PrintableName(type.name) + "', not 'SkpReader'";
    // The display name may lack a NUL only if the plug-in overran it; check the bound first.
    if (std::char_traits<char16_t>::find(type.displayName, 32, u'\0') == nullptr ||
        !FieldHolds(type.displayName, u"SketchUp"))
        return "the plug-in's display name is not 'SketchUp'";
    if (!(type.channelId == kSkpReaderId))
        return "the plug-in's channel id is " + GuidText(type.channelId) + ", not " +
               GuidText(kSkpReaderId);
    if (!(type.classId == kSkpReaderId))
        return "the plug-in's class id is " + GuidText(type.classId) + ", not " +
               GuidText(kSkpReaderId);
    if (type.interfaceVersion != 1)
        return "the plug-in implements interface version " + std::to_string(type.interfaceVersion) +
               ", the host knows version 1";
    if (type.instanceCount != 1)
        return "the plug-in asks for " + std::to_string(type.instanceCount) +
               " instances, the host makes 1";
    return {};
}

}  // namespace skpimport
