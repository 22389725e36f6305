#!/usr/bin/env bash
# One fuzzing campaign: fuzz/run.sh document|load SECONDS [libFuzzer options...]
# Configures and builds build-fuzz (clang, ASan + UBSan, coverage) when needed, then fuzzes for
# SECONDS, starting from fuzz/corpus/TARGET and keeping what it learns in build-fuzz/corpus/TARGET.
# A crash, leak, UB report or broken invariant leaves its input in build-fuzz/artifacts/TARGET/
# and fails the run. Environment: SKP_FUZZ_BUILD (build folder), SKP_JOBS (build jobs, 2).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 2 || ! "$1" =~ ^(document|load)$ || ! "$2" =~ ^[0-9]+$ ]]; then
    echo "usage: fuzz/run.sh document|load SECONDS [libFuzzer options...]" >&2
    exit 2
fi
target=$1 seconds=$2
shift 2
build=${SKP_FUZZ_BUILD:-build-fuzz}

if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DSKP_BUILD_FUZZERS=ON -DSKP_SANITIZE=address,undefined,fuzzer-no-link
fi
cmake --build "$build" --target "${target}_fuzzer" -j"${SKP_JOBS:-2}"

corpus="$build/corpus/$target" artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
# The largest seed is under 8 KiB; inputs up to 16 KiB leave room to grow without slowing each
# run. rss_limit_mb covers a load's TBB arenas and ASan's shadow with room to spare; a document
# that makes the reader allocate past it is a finding.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
exec "$build/bin/${target}_fuzzer" "$corpus" "fuzz/corpus/$target" \
    -dict=fuzz/skpm.dict -max_len=16384 -rss_limit_mb=2560 -timeout=30 \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" "$@"
