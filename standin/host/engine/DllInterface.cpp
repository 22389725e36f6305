#include "Engine/DllInterface.h"

DllInterface::DllInterface() = default;
DllInterface::DllInterface(const DllInterface&) = default;
DllInterface::~DllInterface() = default;
