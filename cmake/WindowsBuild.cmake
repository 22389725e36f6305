# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): the dependencies under
# the same target names the Linux build gets from Debian's packages, the runtime DLLs beside the
# executables, and Wine to run them.

# windows.h must not define min and max over the standard library's.
add_compile_definitions(NOMINMAX)

# Our DLLs carry their Windows names (SkpReader.dll, SketchUpAPI.dll), not MinGW's "lib" prefix.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")

# oneTBB, simdjson and GoogleTest are cross-built from Debian's sources by .ci/mingw-deps.sh.
if(NOT EXISTS "${SKP_WINDOWS_DEPS}/lib/cmake/TBB")
    message(FATAL_ERROR "No Windows oneTBB in ${SKP_WINDOWS_DEPS}: run ./setup.sh --windows "
                        "(or .ci/mingw-deps.sh) first")
endif()

# The header-only libraries are Debian's own headers. Only their files are put on the cross
# compiler's path, through a folder of links, never all of /usr/include with the build machine's
# C library in it.
set(skp_debian_headers ${CMAKE_BINARY_DIR}/debian-headers)
function(skp_link_debian_headers library)
    file(MAKE_DIRECTORY ${skp_debian_headers}/${library})
    foreach(header ${ARGN})
        if(NOT EXISTS /usr/include/${header})
            message(FATAL_ERROR "Debian's /usr/include/${header} is missing: run ./setup.sh")
        endif()
        get_filename_component(folder ${skp_debian_headers}/${library}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK /usr/include/${header} ${skp_debian_headers}/${library}/${header} SYMBOLIC)
    endforeach()
endfunction()
skp_link_debian_headers(nlohmann nlohmann)
skp_link_debian_headers(stb stb/stb_image.h stb/stb_image_write.h)
skp_link_debian_headers(tinygltf tiny_gltf.h)

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${skp_debian_headers}/nlohmann)

# On Linux the codecs come compiled in Debian's libstb; here from our one implementation file.
add_library(skp_stb STATIC ${PROJECT_SOURCE_DIR}/cmake/stb_implementation.c)
# As on Linux: <stb_image.h> (pkg-config's -I/usr/include/stb) and <stb/stb_image.h>.
target_include_directories(skp_stb PUBLIC ${skp_debian_headers}/stb/stb ${skp_debian_headers}/stb)
target_compile_options(skp_stb PRIVATE -w)  # Debian's stb, not our code: its warnings are not ours
add_library(PkgConfig::STB INTERFACE IMPORTED)
target_link_libraries(PkgConfig::STB INTERFACE skp_stb)

add_library(tinygltf_headers INTERFACE)
target_include_directories(tinygltf_headers INTERFACE ${skp_debian_headers}/tinygltf)

# GLU is Windows' own glu32, over opengl32.
add_library(PkgConfig::GLU INTERFACE IMPORTED)
target_link_libraries(PkgConfig::GLU INTERFACE glu32 opengl32)

# The C++ runtime and oneTBB as DLLs beside the executables, so that every module shares one
# runtime as on Linux and the programs run under Wine (or on Windows) from bin/ as they are.
file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "The compiler's ${runtime} is not where it says")
    endif()
    file(COPY ${runtime_path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
file(GLOB tbb_dlls ${SKP_WINDOWS_DEPS}/bin/*.dll)
file(COPY ${tbb_dlls} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# Wine runs the tests, with a prefix of its own inside the build tree. The tests are listed when
# ctest runs, not after each link, so that building needs no Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
find_program(SKP_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(SKP_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
