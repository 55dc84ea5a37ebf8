#!/bin/sh
# Regenerates the UI sounds in modules/media. Needs sox with MP3 support
# (apt-get install sox libsox-fmt-mp3); the program itself does not.
set -e
out="$(dirname "$0")/../modules/media"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# 01: start-up chime, two rising tones.
sox -n -r 22050 -c 1 -b 16 "$tmp/a.wav" synth 0.16 sine 660 fade q 0.005 0.16 0.05
sox -n -r 22050 -c 1 -b 16 "$tmp/b.wav" synth 0.34 sine 990 fade q 0.005 0.34 0.28
sox "$tmp/a.wav" "$tmp/b.wav" "$out/01.wav" gain -6
# 02: page change, a short falling sweep.
sox -n -r 22050 -c 1 -b 16 "$out/02.wav" synth 0.16 sine 1400-500 fade q 0.005 0.16 0.12 gain -9
# 03: link click, a soft tick.
sox -n -r 22050 -c 1 -b 16 "$out/03.wav" synth 0.07 square 1800 gain -14 lowpass 3000 \
    fade q 0.002 0.07 0.05
# 04: confirmation, two quick notes.
sox -n -r 22050 -c 1 -b 16 "$tmp/c.wav" synth 0.09 sine 880 fade q 0.003 0.09 0.03 pad 0 0.04
sox -n -r 22050 -c 1 -b 16 "$tmp/d.wav" synth 0.12 sine 1175 fade q 0.003 0.12 0.08
sox "$tmp/c.wav" "$tmp/d.wav" "$out/04.wav" gain -8
# 00: calm background loop, a slowly breathing A-major pad, 8 s at 48 kbit/s.
sox -n -r 44100 -c 1 "$tmp/pad.wav" synth 8 sine 220 synth 8 sine mix 277.18 \
    synth 8 sine mix 329.63 synth 8 sine mix 110 gain -12 tremolo 0.25 30 \
    fade q 0.8 8 0.8 reverb 40 gain -n -16
sox "$tmp/pad.wav" -C 48 "$out/00.mp3"
