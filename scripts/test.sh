#!/usr/bin/env bash
# Builds and runs every test, headless, against the emulated devices.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure
