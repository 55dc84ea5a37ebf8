#!/usr/bin/env bash
# Renders the README's pictures of the window into docs/, with the program's own grab.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/v7config ] || bash scripts/build.sh
out="$(pwd)/docs"
script="$(mktemp --suffix=.js)"
trap 'rm -f "$script"' EXIT
{ printf 'var __outDir = "%s";\n' "$out"; cat scripts/screenshots.js; } > "$script"
# A throwaway copy of the runtime files keeps the user's settings out of the pictures.
data="$(mktemp -d)"
trap 'rm -rf "$data" "$script"' EXIT
cp -r build/v7config build/modules "$data/"
"$data/v7config" --headless --simulate --eval "$script"
