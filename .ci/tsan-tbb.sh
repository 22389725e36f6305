#!/usr/bin/env bash
# Builds oneTBB instrumented for ThreadSanitizer from Debian's own source package of the installed
# libtbb-dev, so that TSan sees oneTBB's task handoffs (an uninstrumented libtbb makes every handoff
# look like a race). Only the libraries are built (tbb, tbbmalloc), with the project's compiler.
#
# Usage: .ci/tsan-tbb.sh [CACHE_DIR]   (default build-tsan/onetbb)
# Prints the TBB_DIR to hand to CMake on its last line. A finished build for the same source version
# is reused. The source comes through .ci/debian-source.sh, which leaves the system's apt
# configuration alone. Every run ends with .ci/tsan-canary.cpp against the library: a task handoff must not be
# reported and a real race must be, or the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=$(realpath -m "${1:-build-tsan/onetbb}")
version=$(dpkg-query -W -f='${Version}' libtbb-dev)
prefix="$cache/install-$version"
tbb_dir="$prefix/lib/cmake/TBB"

canary() {
    g++ -std=c++20 -O1 -g -fsanitize=thread -I"$prefix/include" .ci/tsan-canary.cpp \
        -L"$prefix/lib" -Wl,-rpath,"$prefix/lib" -ltbb -o "$cache/tsan-canary"
    TSAN_OPTIONS=halt_on_error=1 "$cache/tsan-canary" handoff >&2 ||
        { echo "tsan-tbb: a oneTBB task handoff is reported as a race" >&2; return 1; }
    local reported=0
    TSAN_OPTIONS=halt_on_error=1:exitcode=66 "$cache/tsan-canary" race >/dev/null 2>&1 || reported=$?
    if [[ $reported -ne 66 ]]; then
        echo "tsan-tbb: a real race across oneTBB threads went unreported (exit $reported)" >&2
        return 1
    fi
}

if [[ -f "$prefix/.complete" ]]; then
    canary
    echo "$tbb_dir"
    exit 0
fi

src=$(.ci/debian-source.sh "$cache" onetbb "$version" | tail -n 1)

build="$cache/build-$version"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DTBB_SANITIZE=thread -DTBB_TEST=OFF -DTBB_EXAMPLES=OFF \
    -DTBB_STRICT=OFF -DTBBMALLOC_PROXY_BUILD=OFF -DTBB_DISABLE_HWLOC_AUTOMATIC_SEARCH=ON >&2
cmake --build "$build" -j"${SKP_JOBS:-2}" >&2
cmake --install "$build" >&2
touch "$prefix/.complete"
canary
echo "$tbb_dir"
