// A reader declared the way the plug-in declares its own: derived from Zel_Channel with the host
// operations first, NOT from the host's HostChannel. Only its creation function is visible, as
// InitDLL is to the host, so the tool's slot-based calls are tested against an unrelated type.
#pragma once

#include <string>

namespace plugin_like {

struct Calls {
    std::string sequence;  // one letter per call: I(nit) L(oad) R(aport) E(release) D(estroy)
    std::u16string path, config;
    bool flag = false;
};

// Returns the reader as InitDLL does: an untyped pointer to the object. It records into `calls`.
void* CreateReader(Calls& calls);

}  // namespace plugin_like
