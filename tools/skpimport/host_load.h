// A reader's life as the host drives it: adopt what InitDLL created, Init, LoadFromFile and
// GetRaport, then Release and destruction.
#pragma once

#include <Importing/SceneContainer.h>

#include <memory>
#include <optional>
#include <string>

#include "host_channel.h"

namespace skpimport {

// Release, then destruction through the virtual destructor's slot. A Release that raises is
// reported on standard error; the reader is destroyed all the same.
struct ReaderEnd {
    void operator()(HostChannel* reader) const;
};
using ReaderPtr = std::unique_ptr<HostChannel, ReaderEnd>;

// Takes ownership of what InitDLL returned (null stays null).
ReaderPtr AdoptReader(void* created);

// Empty when Init returned 0; otherwise why it failed.
std::string InitReader(HostChannel& reader);

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
