// A load through the plug-in library, driven as the host tool drives it, with the plug-in's
// parallel work confined to an arena of a given number of threads.
#pragma once

#include <string>

#include "record.h"

namespace bench {

// Values of the record: "<phase> s" for every phase the plug-in reports (seconds), "host s" (the
// host's clock around LoadFromFile), "rss before bytes", "peak bytes", "vertices", "indices",
// "triangles", "output bytes" (32 a vertex, 4 an index); triangles by scene material name.
// Throws std::runtime_error when the plug-in cannot be loaded or the load fails.
Record MeasurePluginLoad(const std::string& pluginPath, const std::string& modelPath, int threads);

}  // namespace bench
