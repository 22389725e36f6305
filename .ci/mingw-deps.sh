#!/usr/bin/env bash
# Cross-builds for Windows, with the project's MinGW-w64 toolchain (cmake/mingw-w64-x86_64.cmake),
# the libraries the Windows build links that Debian ships only for Linux: oneTBB and simdjson
# from Debian's own source packages of the installed libtbb-dev and libsimdjson-dev (fetched by
# .ci/debian-source.sh), GoogleTest from the sources libgtest-dev ships in /usr/src/googletest.
# The header-only libraries (nlohmann-json, stb, tinygltf) are taken from Debian's headers by the
# project's own CMake and need nothing here.
#
# Usage: .ci/mingw-deps.sh [CACHE_DIR]   (default build-windows-deps)
# Installs into CACHE_DIR/prefix and prints that prefix on its last line. A library already built
# for the same version is not built again, so CACHE_DIR can be kept between CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=$(realpath -m "${1:-build-windows-deps}")
prefix="$cache/prefix"
toolchain=$(realpath cmake/mingw-w64-x86_64.cmake)
jobs=${SKP_JOBS:-2}
mkdir -p "$prefix"

# build NAME VERSION SOURCE [CMAKE OPTIONS...]: configures, builds and installs one library,
# unless the same version is installed already.
build() {
    local name=$1 version=$2 src=$3
    shift 3
    local done="$prefix/.built-$name-$version"
    [[ -f "$done" ]] && return 0
    echo "mingw-deps: building $name $version for Windows" >&2
    local build_dir="$cache/build-$name-$version"
    cmake -S "$src" -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DSKP_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        "$@" >&2
    cmake --build "$build_dir" -j"$jobs" >&2
    cmake --install "$build_dir" >&2
    rm -f "$prefix"/.built-"$name"-*
    touch "$done"
}

installed() {
    dpkg-query -W -f='${Version}' "$1"
}

tbb_version=$(installed libtbb-dev)
build onetbb "$tbb_version" "$(.ci/debian-source.sh "$cache" onetbb "$tbb_version" | tail -n 1)" \
    -DTBB_TEST=OFF -DTBB_EXAMPLES=OFF -DTBB_STRICT=OFF -DTBBMALLOC_PROXY_BUILD=OFF \
    -DTBB_DISABLE_HWLOC_AUTOMATIC_SEARCH=ON

simdjson_version=$(installed libsimdjson-dev)
build simdjson "$simdjson_version" \
    "$(.ci/debian-source.sh "$cache" simdjson "$simdjson_version" | tail -n 1)" \
    -DBUILD_SHARED_LIBS=OFF -DSIMDJSON_DEVELOPER_MODE=OFF

gtest_version=$(installed libgtest-dev)
build googletest "$gtest_version" /usr/src/googletest -DBUILD_GMOCK=ON -DBUILD_SHARED_LIBS=OFF

echo "$prefix"
