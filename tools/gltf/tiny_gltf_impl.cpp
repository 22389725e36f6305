// The one translation unit that compiles tinygltf. The stb codecs it includes are compiled into
// the system's libstb, so only their declarations are seen here.
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
