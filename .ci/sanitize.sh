#!/usr/bin/env bash
# Sanitizer passes of the test suite, each in a build folder of its own:
#   .ci/sanitize.sh asan   AddressSanitizer + UndefinedBehaviorSanitizer, Debug, no recovery
#   .ci/sanitize.sh tsan   ThreadSanitizer over the transport, command and bridge suites
# V7_ASAN_TESTS / V7_TSAN_TESTS: ctest -R regex of the suites to build and run ("all" for every
# suite). The defaults keep .ci/run within its time on a two-core machine.
# The ASan build is also instrumented for coverage, so the fuzz targets link its libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
kind=${1:?asan or tsan}
bash .ci/need-packages.sh clang libclang-rt-14-dev

# Suites that take bytes from files, sockets or devices, and the threaded transport.
asan_default='^tst_(transport|commands|bridge|profile|macrostore|recoil|language|macros|notice|keynames)$'
tsan_default='^tst_(transport|commands|bridge)$'
case $kind in
asan)
    build=${V7_ASAN_BUILD:-$root/build-asan}
    tests=${V7_ASAN_TESTS:-$asan_default}
    # -O1 and line tables only: an -O0 -g build of every suite is twice as slow to make.
    flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
    link="-fsanitize=address,undefined"
    export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$root/.ci/lsan.supp:print_suppressions=0
    ;;
tsan)
    build=${V7_TSAN_BUILD:-$root/build-tsan}
    tests=${V7_TSAN_TESTS:-$tsan_default}
    flags="-fsanitize=thread -fno-omit-frame-pointer"
    link="-fsanitize=thread"
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1:suppressions=$root/.ci/tsan.supp:print_suppressions=0"
    ;;
*)
    echo "unknown pass $kind" >&2
    exit 2
    ;;
esac

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DV7_WERROR=ON \
    "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "-DCMAKE_CXX_FLAGS=$flags" \
    "-DCMAKE_EXE_LINKER_FLAGS=$link" > /dev/null
if [ "$tests" = all ]; then
    cmake --build "$build" -j"$(nproc)" > "$build/build.log" 2>&1 ||
        { tail -50 "$build/build.log"; exit 1; }
else
    # Only the chosen suites (and the program they start) are built.
    mapfile -t targets < <(cd tests && ls tst_*.cpp | sed 's/\.cpp$//' | grep -E "$tests")
    cmake --build "$build" -j"$(nproc)" --target v7config "${targets[@]}" > "$build/build.log" 2>&1 ||
        { tail -50 "$build/build.log"; exit 1; }
fi
export QT_QPA_PLATFORM=offscreen
cd "$build"
if [ "$tests" = all ]; then
    ctest --output-on-failure
else
    ctest --output-on-failure -R "$tests"
fi
