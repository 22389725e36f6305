#!/bin/sh
# bench/run.sh [--huge-pages] [--build DIR] [--runs N] [INSTANCES...]
#
# Builds what the load benchmark needs (Release, in build-bench unless --build names another
# folder), generates for each INSTANCES a city of that many placements of 100-face definitions
# (default 50000: 5 million placed face sides single-sided; 10000 gives 1 million) with its glTF
# twin, and runs bench_load on each in turn.
# --huge-pages gives every side the same huge-page regime: glibc's malloc (the plug-in's output,
# Assimp, the write floor) and oneTBB's scalable allocator alike.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
runs=2
cities=""
huge=""
while [ $# -gt 0 ]; do
    case "$1" in
        --huge-pages) huge=1 ;;
        --build) build=$2; shift ;;
        --runs) runs=$2; shift ;;
        -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
        -*) echo "run.sh: unknown option $1" >&2; exit 2 ;;
        *) cities="$cities $1" ;;
    esac
    shift
done
[ -n "$cities" ] || cities=50000

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target bench_load skpmgen SkpReader -j2

if [ -n "$huge" ]; then
    export GLIBC_TUNABLES=glibc.malloc.hugetlb=1 TBB_MALLOC_USE_HUGE_PAGES=1
    echo "regime: huge pages for glibc malloc and the TBB scalable allocator" >&2
else
    echo "regime: default (4 KiB pages unless THP is 'always')" >&2
fi

for instances in $cities; do
    # The document's name asks the plug-in for a single-sided load, as the glTF twin is.
    city="$build/bench-city/city$instances"
    model="${city}_defaultsingle.skpm"
    if [ ! -f "$model" ] || [ ! -f "$city.glb" ]; then
        mkdir -p "$build/bench-city"
        "$build/bin/skpmgen" --instances "$instances" --faces 100 -o "$model" --gltf "$city.glb"
    fi
    echo "## city of $instances placements"
    "$build/bin/bench_load" "$model" "$city.glb" --threads 1,2 --runs "$runs"
done
