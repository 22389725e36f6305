#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages, only what is missing.
# With --windows, also what the Windows build needs (cmake --preset windows): the MinGW-w64 cross
# compiler and Wine, and oneTBB, simdjson and GoogleTest cross-built from Debian's own sources
# into build-windows-deps/ (.ci/mingw-deps.sh; built once, then kept).
set -euo pipefail

windows=false
for argument in "$@"; do
    case $argument in
        --windows) windows=true ;;
        *) echo "usage: setup.sh [--windows]" >&2; exit 2 ;;
    esac
done

packages=(
    build-essential cmake ninja-build pkg-config   # compiler and build system
    libtbb-dev                      # oneTBB: the parallel runtime of the plug-in
    nlohmann-json3-dev              # JSON DOM for model documents and the scene JSON writer
    libsimdjson-dev                 # fast JSON parsing of well-formed model documents
    libglu1-mesa-dev                # GLU tessellator: faces with holes and concave outlines
    libstb-dev                      # stb_image / stb_image_write: PNG, JPEG and BMP codec
    libgtest-dev libgmock-dev       # GoogleTest
    libtinygltf-dev                 # glTF 2.0 reader/writer for the host tool's output
    libassimp-dev                   # Assimp: the peer importer the load benchmark compares against
    clang libclang-rt-14-dev        # libFuzzer and clang's sanitizer runtimes for the fuzz targets
    nodejs                          # (with its npm) runs the Khronos glTF validator in the tests
)

if $windows; then
    packages+=(
        g++-mingw-w64-x86-64-posix  # MinGW-w64 with POSIX threads (std::thread): the Windows build
        wine64                      # runs the Windows tests and tools
        dpkg-dev                    # dpkg-source: unpacks Debian's source packages to cross-build
    )
fi

missing=()
for p in "${packages[@]}"; do
    [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) == "install ok installed" ]] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Khronos glTF validator the tests run over the tools' glTF output, at the version and with
# the integrity hashes of its committed package-lock.json.
validator="$(dirname "$0")/tools/gltf-validator"
if ! command -v npm > /dev/null; then
    # Debian's own nodejs package comes without npm; NodeSource's carries it.
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends npm
fi
if [ ! -d "$validator/node_modules" ]; then
    echo "setup: installing the glTF validator's npm packages"
    (cd "$validator" && npm ci --no-audit --no-fund)
fi

if $windows; then
    "$(dirname "$0")/.ci/mingw-deps.sh" >/dev/null
fi
