# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, the POSIX threads flavour (the win32
# flavour of GCC has no std::thread or std::mutex). Libraries cross-built for Windows are looked
# for only under SKP_WINDOWS_DEPS (.ci/mingw-deps.sh builds them there), never among the build
# machine's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(SKP_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows-deps/prefix"
    CACHE PATH "Install prefix of the libraries cross-built for Windows")
get_filename_component(SKP_WINDOWS_DEPS "${SKP_WINDOWS_DEPS}" ABSOLUTE)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${SKP_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
