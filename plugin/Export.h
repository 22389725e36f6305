#pragma once

// The plug-in is built with hidden visibility; only what the host looks up is exported.
#define SKP_EXPORT __attribute__((visibility("default")))
