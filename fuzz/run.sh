#!/usr/bin/env bash
# One fuzzing campaign: fuzz/run.sh document|load|gltf SECONDS [libFuzzer options...]
# Configures and builds build-fuzz (clang, ASan + UBSan, coverage) when needed, then fuzzes for
# SECONDS, starting from the seeds (fuzz/corpus/TARGET; the gltf target shares the load seeds) and
# keeping what it learns in build-fuzz/corpus/TARGET, which is merged afterwards (-merge=1) down to
# the inputs that each add coverage. A crash, leak, UB report or broken invariant leaves its input
# in build-fuzz/artifacts/TARGET/ and fails the run. Environment: SKP_FUZZ_BUILD (build folder),
# SKP_JOBS (build jobs, 2).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 2 || ! "$1" =~ ^(document|load|gltf)$ || ! "$2" =~ ^[0-9]+$ ]]; then
    echo "usage: fuzz/run.sh document|load|gltf SECONDS [libFuzzer options...]" >&2
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

seeds="fuzz/corpus/$target"
[[ $target == gltf ]] && seeds=fuzz/corpus/load
corpus="$build/corpus/$target" artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"

# The largest seed is under 9 KiB; inputs up to 16 KiB leave room to grow without slowing each
# run. rss_limit_mb covers a load's TBB arenas and ASan's shadow with room to spare; a document
# that makes the reader allocate past it is a finding.
fuzzer() {
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
    UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$build/bin/${target}_fuzzer" -dict=fuzz/skpm.dict -max_len=16384 -rss_limit_mb=2560 \
        -timeout=30 "$@"
}

# Keeps the learned corpus small: its inputs are merged into a fresh folder, which takes only
# those that add coverage, and the fresh folder replaces it. libFuzzer's own output goes to
# $build/merge-TARGET.log.
merge_corpus() {
    local fresh="$corpus.merging" before after
    before=$(find "$corpus" -type f | wc -l)
    [[ $before -gt 0 ]] || return 0
    rm -rf "$fresh" "$corpus.old"
    mkdir "$fresh"
    if ! fuzzer -merge=1 "$fresh" "$corpus" >"$build/merge-$target.log" 2>&1; then
        echo "merging $corpus failed, left as it was: see $build/merge-$target.log" >&2
        rm -rf "$fresh"
        return 1
    fi
    mv "$corpus" "$corpus.old" && mv "$fresh" "$corpus" && rm -rf "$corpus.old"
    after=$(find "$corpus" -type f | wc -l)
    echo "merged $corpus: $before inputs, $after kept"
}

status=0
fuzzer "$corpus" "$seeds" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$@" || status=$?
merge_corpus || { [[ $status -ne 0 ]] || status=1; }
exit "$status"
