/* The stb image codecs for the Windows build, compiled once from Debian's headers (on Linux they
 * come compiled in Debian's libstb). File names given to stb are UTF-8 and opened through the
 * wide calls, as on Linux every name is bytes of UTF-8. */
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WINDOWS_UTF8
#define STBIW_WINDOWS_UTF8
#include <stb_image.h>
#include <stb_image_write.h>
