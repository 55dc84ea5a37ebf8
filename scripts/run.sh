#!/usr/bin/env bash
# Builds and starts the program against the emulated mouse. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/v7config --simulate "$@"
