#!/bin/sh
# Regenerates the skin images in modules/img from the SVG sources in art/.
# Needs python3 and rsvg-convert (librsvg2-bin); the program itself does not.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
python3 "$root/art/make_skins.py"
cd "$root/art"
find skin1 skin2 -name '*.svg' | sort | while read -r src; do
    out="$root/modules/img/${src%.svg}.png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert -o "$out" "$src"
done
