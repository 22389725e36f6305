// The descriptor a plug-in returns from GetType. The host reads it at fixed byte offsets, so the
// layout is packed to 4 bytes and every member's offset is checked below.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "HostExport.h"

#pragma pack(push, 4)
class HOST_ENGINE_API ChannelType {
public:
    // Fills the whole record with a recognisable pattern (byte i = 0xA5 ^ i), so that the host
    // can tell which bytes a plug-in left alone.
    ChannelType();

    static uint8_t PatternByte(size_t offset) { return static_cast<uint8_t>(0xA5 ^ offset); }

    char name[16];             // ASCII, NUL-terminated, zero-padded
    char16_t displayName[32];  // UTF-16, NUL-terminated
    GUID channelId;
    GUID classId;
    uint8_t reserved[8];  // host-owned
    int32_t interfaceVersion;
    int64_t instanceCount;
    uint8_t hostData[28];  // host-owned
};
#pragma pack(pop)

static_assert(offsetof(ChannelType, name) == 0);
static_assert(offsetof(ChannelType, displayName) == 16);
static_assert(offsetof(ChannelType, channelId) == 80);
static_assert(offsetof(ChannelType, classId) == 96);
static_assert(offsetof(ChannelType, reserved) == 112);
static_assert(offsetof(ChannelType, interfaceVersion) == 120);
static_assert(offsetof(ChannelType, instanceCount) == 124);
static_assert(offsetof(ChannelType, hostData) == 132);
static_assert(sizeof(ChannelType) >= 136);
