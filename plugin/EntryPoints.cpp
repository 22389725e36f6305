#include <Engine/ChannelType.h>
#include <windows.h>

#include <cstring>

#include "Export.h"
#include "SkpReader.h"

namespace {

// Built once when the library is loaded; GetType fills it on every call.
ChannelType descriptor;

constexpr GUID kSkpReaderId = {
    0xE8A59704, 0x9DA7, 0x4DAA, {0xB4, 0x43, 0xF4, 0x5E, 0x66, 0x1F, 0x0E, 0x11}};

void FillDescriptor(ChannelType& type) {
    std::memset(type.name, 0, sizeof(type.name));
    std::memcpy(type.name, "SkpReader", sizeof("SkpReader"));
    std::memset(type.displayName, 0, sizeof(type.displayName));
    std::memcpy(type.displayName, u"SketchUp", sizeof(u"SketchUp"));
    type.channelId = kSkpReaderId;
    type.classId = kSkpReaderId;
    type.interfaceVersion = 1;
    type.instanceCount = 1;
}

}  // namespace

extern "C" SKP_EXPORT ChannelType* GetType() {
    FillDescriptor(descriptor);
    return &descriptor;
}

extern "C" SKP_EXPORT Importing::SkpReader* InitDLL() {
    return new Importing::SkpReader();
}

// Not part of the host interface: lets tools show how long each phase of a reader's last
// completed load took. Copies up to `capacity` phases and returns how many there are.
extern "C" SKP_EXPORT size_t SkpReaderGetLoadPhases(const Importing::SkpReader* reader,
                                                    Importing::LoadPhase* phases, size_t capacity) {
    if (reader == nullptr) return 0;
    const Importing::LoadPhaseClock& clock = reader->LastLoadPhases();
    for (size_t i = 0; i < clock.Count() && i < capacity; ++i) phases[i] = clock.Phases()[i];
    return clock.Count();
}
