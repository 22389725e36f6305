// Base of every object the host engine hands across a library boundary: its virtual destructor
// lets the side that did not create an object destroy it.
#pragma once

#include "HostExport.h"

class HOST_ENGINE_API DllInterface {
public:
    DllInterface();
    DllInterface(const DllInterface&);
    DllInterface& operator=(const DllInterface&) = default;
    virtual ~DllInterface();
};
