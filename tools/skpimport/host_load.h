// One load through the reader, driven as the host drives it.
#pragma once

#include <Importing/SceneContainer.h>

#include <optional>
#include <string>

#include "host_channel.h"

namespace skpimport {

struct LoadOutcome {
    std::optional<int> result;          // empty when LoadFromFile raised
    std::optional<std::string> raised;  // "<type>: <message>" when it raised
    std::string report;                 // GetRaport, UTF-8
    double milliseconds = 0;            // LoadFromFile alone
};

// Calls LoadFromFile under a cap of `threads` workers (0: no cap), then GetRaport. Exceptions
// out of either are caught and described, as a host that must survive a bad model does.
LoadOutcome RunLoad(HostChannel& reader, Importing::SceneContainer& scene,
                    const std::u16string& path, const std::u16string& config, bool flag,
                    int threads);

// "<demangled type>: <what()>" for the exception being handled; call only inside a catch block.
std::string DescribeCurrentException();

}  // namespace skpimport
