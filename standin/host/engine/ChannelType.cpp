#include "Engine/ChannelType.h"

ChannelType::ChannelType() {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(this);
    for (size_t i = 0; i < sizeof(ChannelType); ++i) bytes[i] = PatternByte(i);
}
