#pragma once

// Only what the host looks up leaves the plug-in: GetType, InitDLL, the reader class (and the
// tools' phase timings). The plug-in's headers are never read by the host, which declares what it
// calls itself, so they always export.
#if defined(_WIN32)
#define SKP_EXPORT __declspec(dllexport)
#else
#define SKP_EXPORT __attribute__((visibility("default")))
#endif
