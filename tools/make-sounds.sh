#!/usr/bin/env bash
# Records the dictation's words with the Italian voice of espeak-ng and cleans them with sox:
# silence trimmed at both ends, level normalised, 16-bit mono at 22,050 Hz. The WAV files are
# committed; run this again only to change a recording (needs: apt-get install espeak-ng sox).
set -euo pipefail
out="$(dirname "$0")/../src/app/sounds"
mkdir -p "$out"
# File name, then the words: a sign is read as it is called on a slip ("ics" for X).
words=(
    "Nuova:nuova schedina"
    "Col1:colonna uno" "Col2:colonna due" "Col3:colonna tre" "Col4:colonna quattro"
    "1:uno" "X:ics" "2:due"
    "1X:uno ics" "X2:ics due" "12:uno due"
)
raw="$(mktemp --suffix=.wav)"
trap 'rm -f "$raw"' EXIT
for entry in "${words[@]}"; do
    name="${entry%%:*}"
    text="${entry#*:}"
    espeak-ng -v it -s 150 -w "$raw" "$text"
    sox "$raw" -b 16 -c 1 -r 22050 "$out/$name.wav" \
        silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse norm -1
done
