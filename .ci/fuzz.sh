#!/usr/bin/env bash
# Runs each libFuzzer target for a fixed time from its seed corpus, one per core at a time, from
# the ASan build that .ci/sanitize.sh asan makes (built here when missing).
# Usage: .ci/fuzz.sh [seconds per target, default 20] [target ...]
# Crash inputs land in <build>/fuzz/artifacts, named after the target.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-20}
shift || true
build=${V7_ASAN_BUILD:-$root/build-asan}
bash .ci/sanitize.sh asan build > /dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
out=$build/fuzz
mkdir -p "$out/artifacts"
export QT_QPA_PLATFORM=offscreen

fuzz_one() {
    local t=$1 work start runs
    # New inputs go to a scratch folder; the seeds in the repository stay as they are. Paths
    # are absolute: the targets run in a working folder of their own.
    work=$(mktemp -d)
    start=$SECONDS
    if ! "$out/$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=3072 -print_final_stats=1 \
        -artifact_prefix="$out/artifacts/$t-" "$work" "$root/fuzz/corpus/${t#fuzz_}" \
        > "$out/$t.log" 2>&1; then
        tail -60 "$out/$t.log"
        echo "FAIL $t: reproduce with $out/$t $out/artifacts/$t-*"
        rm -rf "$work"
        return 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$t.log")
    echo "ok $t: $runs runs in $((SECONDS - start)) s"
    rm -rf "$work"
}
export -f fuzz_one
export out seconds root
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one {}'
