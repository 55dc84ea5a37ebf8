#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a fixed time from its
# seed corpus. Usage: .ci/fuzz.sh [seconds per target, default 20] [target ...]
# V7_FUZZ_BUILD: build folder (default build-fuzz). Crash inputs land in $V7_FUZZ_BUILD/artifacts.
# V7_PROJECT_BUILD: an ASan build of the project (.ci/sanitize.sh asan) to link instead of
# compiling the sources again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-20}
shift || true
build=${V7_FUZZ_BUILD:-$root/build-fuzz}

bash .ci/need-packages.sh clang libclang-rt-14-dev
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    "-DV7_PROJECT_BUILD=${V7_PROJECT_BUILD:-}" > /dev/null
cmake --build "$build" -j"$(nproc)" > "$build/build.log" 2>&1 || { tail -50 "$build/build.log"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
mkdir -p "$build/artifacts"
export QT_QPA_PLATFORM=offscreen
for t in "${targets[@]}"; do
    # New inputs go to a scratch folder; the seeds in the repository stay as they are. Paths
    # are absolute: the targets run in a working folder of their own.
    work=$(mktemp -d)
    start=$SECONDS
    if ! "$build/$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=3072 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$t-" "$work" "$root/fuzz/corpus/${t#fuzz_}" \
        > "$build/$t.log" 2>&1; then
        tail -60 "$build/$t.log"
        echo "FAIL $t: reproduce with $build/$t $build/artifacts/$t-*"
        rm -rf "$work"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$t.log")
    echo "ok $t: $runs runs in $((SECONDS - start)) s"
    rm -rf "$work"
done
