// The host's own view of the reader's table of virtual operations. The host never includes the
// plug-in's headers: it calls the reader by slot, and these declarations fix the slots: the
// destructor, the 19 operations of Zel_Channel, then LoadFromFile, GetRaport, Init, Release.
// The reader's further (protected) operations come after and the host never calls them.
#pragma once

#include <Engine/Zel_Channel.h>
#include <Importing/SceneContainer.h>

#include <string>

// The reader's dynamic type is the plug-in's class, unrelated to HostChannel by design, so the
// sanitizer's dynamic-type check of member calls does not apply to calls made by slot.
#if defined(__GNUC__)
#define SKPIMPORT_CALLS_BY_SLOT __attribute__((no_sanitize("vptr")))
#else
#define SKPIMPORT_CALLS_BY_SLOT
#endif

namespace skpimport {

class HostChannel : public Zel_Channel {
public:
    virtual int LoadFromFile(Importing::SceneContainer& scene, const std::u16string& path,
                             const std::u16string& config, bool flag) = 0;
    virtual std::u16string GetRaport() = 0;
    virtual int Init() = 0;
    virtual int Release() = 0;
};

}  // namespace skpimport
