#!/usr/bin/env bash
# Sanitizer passes of the test suite, each in a build folder of its own:
#   .ci/sanitize.sh asan   AddressSanitizer + UndefinedBehaviorSanitizer, no recovery: every
#                          suite, and the libFuzzer targets (.ci/fuzz.sh runs them)
#   .ci/sanitize.sh tsan   ThreadSanitizer over the transport, command and bridge suites
# A second argument "build" only builds. V7_ASAN_TESTS / V7_TSAN_TESTS: a ctest -R regex of the
# suites to build and run instead of the defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
kind=${1:?asan or tsan}
only_build=${2:-}
bash .ci/need-packages.sh clang libclang-rt-14-dev

case $kind in
asan)
    build=${V7_ASAN_BUILD:-$root/build-asan}
    tests=${V7_ASAN_TESTS:-all}
    # Coverage for the fuzzer too, so the fuzz targets link these very libraries.
    flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
    link="-fsanitize=address,undefined"
    fuzz=ON
    export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$root/.ci/lsan.supp:print_suppressions=0
    ;;
tsan)
    build=${V7_TSAN_BUILD:-$root/build-tsan}
    tests=${V7_TSAN_TESTS:-'^tst_(transport|commands|bridge)$'}
    flags="-fsanitize=thread -fno-omit-frame-pointer"
    link="-fsanitize=thread"
    fuzz=OFF
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1:suppressions=$root/.ci/tsan.supp:print_suppressions=0"
    ;;
*)
    echo "unknown pass $kind" >&2
    exit 2
    ;;
esac

# Debug with -O1 and line tables only: -O0 with full debug information is twice as slow to build
# and to run, and says nothing more in a sanitizer's report. Unity files halve the build time;
# the normal build still compiles every file on its own, so a missing include shows there.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DV7_WERROR=ON \
    -DCMAKE_UNITY_BUILD=ON -DV7_BENCH=OFF -DV7_FUZZ=$fuzz "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "-DCMAKE_CXX_FLAGS=$flags" \
    "-DCMAKE_EXE_LINKER_FLAGS=$link" > /dev/null
targets=(all)
if [ "$tests" != all ]; then
    # Only the chosen suites and the program they start.
    mapfile -t targets < <(cd tests && ls tst_*.cpp | sed 's/\.cpp$//' | grep -E "$tests")
    targets+=(v7config)
fi
start=$SECONDS
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" > "$build/build.log" 2>&1 ||
    { tail -50 "$build/build.log"; exit 1; }
echo "$kind build: $((SECONDS - start)) s"
[ "$only_build" = build ] && exit 0

export QT_QPA_PLATFORM=offscreen
cd "$build"
start=$SECONDS
if [ "$tests" = all ]; then
    ctest --output-on-failure -j"$(nproc)"
else
    ctest --output-on-failure -j"$(nproc)" -R "$tests"
fi
echo "$kind tests: $((SECONDS - start)) s"
