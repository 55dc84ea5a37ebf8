#!/usr/bin/env bash
# Builds and runs every test, headless, against the emulated devices.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# Formatting is part of the check: the sources follow .clang-format.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure
