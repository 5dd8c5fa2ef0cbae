#!/usr/bin/env bash
# compare-frames.sh DIR_A DIR_B [MAX]: compares the frames of two offscreen
# runs (frame-NNNN.png in each) pixel by pixel with ImageMagick. Prints how
# many pixels differ at all and the largest difference of any channel (in
# 1/255 steps); fails when a frame is missing or any channel differs by more
# than MAX steps (1 unless given).
set -euo pipefail
a=$1 b=$2 max=${3:-1}
frames=0 differing=0 total=0 largest=0
for first in "$a"/frame-*.png; do
  [ -e "$first" ] || { echo "compare-frames: no frames in $a" >&2; exit 1; }
  second=$b/$(basename "$first")
  [ -e "$second" ] || { echo "compare-frames: $second is missing" >&2; exit 1; }
  # Pixels that differ in any channel, and the largest channel difference.
  count=$(compare -metric AE "$first" "$second" null: 2>&1 || true)
  count=${count%% *}
  [[ $count =~ ^[0-9]+$ ]] || { echo "compare-frames: cannot compare $first: $count" >&2; exit 1; }
  worst=$(convert "$first" "$second" -compose difference -composite -depth 8 -format '%[fx:round(255*maxima)]' info:)
  # Width and height apart: fx prints a product over a million as 2.0736e+06.
  read -r width height < <(identify -format '%w %h\n' "$first")
  frames=$((frames + 1)) differing=$((differing + count)) total=$((total + width * height))
  [ "$worst" -gt "$largest" ] && largest=$worst
done
[ "$(ls "$b"/frame-*.png | wc -l)" -eq "$frames" ] || { echo "compare-frames: $b has other frames than $a" >&2; exit 1; }
echo "compare-frames: $frames frames, $differing of $total pixels differ, largest channel difference $largest/255"
[ "$largest" -le "$max" ]
