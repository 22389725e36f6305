// What the host expects of the SkpReader plug-in's descriptor.
#pragma once

#include <Engine/ChannelType.h>

#include <string>

namespace skpimport {

// Empty when `type` describes the SkpReader plug-in; otherwise what is wrong, for a person.
std::string CheckDescriptor(const ChannelType& type);

}  // namespace skpimport
