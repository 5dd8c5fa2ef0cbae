#!/usr/bin/env bash
# The offscreen command line end to end: frames written, errors reported.
set -u
quillmoor=$1
work=$(mktemp -d)
trap 'umount "$work/full" 2> /dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$quillmoor" --offscreen --frames 3 --size 64x48 --out "$work/d" > "$work/out" 2>&1 || fail "three frames: exit $?"
for n in 0001 0002 0003; do
  [ -s "$work/d/frame-$n.png" ] || fail "frame-$n.png missing"
done
[ -e "$work/d/frame-0004.png" ] && fail "a fourth frame was written"
grep -q "$work/d" "$work/out" || fail "output does not say where the frames are"
if command -v identify > /dev/null; then
  size=$(identify -format '%wx%h' "$work/d/frame-0001.png")
  [ "$size" = 64x48 ] || fail "frame is $size, not 64x48"
fi

"$quillmoor" --offscreen --frames 2 --size 32x24 --no-png --out "$work/none" > "$work/out" 2>&1 || fail "--no-png: exit $?"
grep -q "rendered 2 frames" "$work/out" || fail "--no-png does not say what it did: $(cat "$work/out")"
[ -e "$work/none" ] && fail "--no-png created the output folder"

expect_error() {
  local what=$1; shift
  "$quillmoor" "$@" > "$work/out" 2> "$work/err"
  local code=$?
  [ "$code" -ne 0 ] || fail "$what: exit code 0"
  [ "$code" -lt 128 ] || fail "$what: crashed ($code)"
  head -n 1 "$work/err" | grep -q "quillmoor: " || fail "$what: no error line: $(cat "$work/err")"
}
expect_error "size 0x0" --offscreen --size 0x0 --out "$work/e"
expect_error "negative frames" --offscreen --frames -3 --out "$work/e"
expect_error "unknown option" --offscreen --wobble
touch "$work/file"
expect_error "output below a file" --offscreen --out "$work/file/sub"
mkdir "$work/readonly" && chmod 0555 "$work/readonly"
if [ "$(id -u)" != 0 ]; then
  expect_error "unwritable directory" --offscreen --out "$work/readonly"
fi
[ -e "$work/e" ] && fail "a bad command line still created the output directory"

# A full disk: the run stops with the cause and leaves only whole frames.
mkdir "$work/full"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=16k tmpfs "$work/full" 2> /dev/null; then
  "$quillmoor" --offscreen --seed 7 --frames 40 --size 320x240 --out "$work/full/d" > "$work/out" 2> "$work/err"
  code=$?
  [ "$code" = 1 ] || fail "full disk: exit $code, not 1"
  grep -q "No space left on device" "$work/err" || fail "full disk: cause not named: $(cat "$work/err")"
  ls "$work/full/d" | grep -qv '^frame-[0-9]*\.png$' && fail "full disk: left $(ls "$work/full/d")"
  for frame in "$work"/full/d/*.png; do
    [ "$(tail -c 8 "$frame" | head -c 4)" = IEND ] || fail "full disk: $(basename "$frame") is cut"
  done
  umount "$work/full"
else
  echo "full disk: skipped (needs root and tmpfs)"
fi

echo "offscreen cli: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
