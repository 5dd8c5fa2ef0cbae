#!/usr/bin/env bash
# The offscreen context end to end: a run says which context and GL it
# rendered with; each set-up step forced to fail (QUILLMOOR_EGL_FAULT) ends
# with a message naming the context and the step, exit 1 and no frame.
set -u
quillmoor=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$quillmoor" --offscreen --renderer software --size 32x24 --out "$work/ok" > "$work/out" 2>&1 \
  || fail "software renderer: exit $?: $(cat "$work/out")"
grep -Eq '^quillmoor: rendering with EGL, software device: .+, OpenGL [1-9]' "$work/out" \
  || fail "the run does not name its context: $(cat "$work/out")"

while IFS='|' read -r fault renderer message; do
  QUILLMOOR_EGL_FAULT=$fault "$quillmoor" --offscreen --renderer "$renderer" --size 32x24 --out "$work/$fault" \
    > "$work/out" 2> "$work/err"
  code=$?
  [ "$code" = 1 ] || fail "$fault ($renderer): exit $code"
  grep -qF "quillmoor: offscreen context (EGL, " "$work/err" && grep -qF "$message" "$work/err" \
    || fail "$fault ($renderer): message is: $(cat "$work/err")"
  [ -e "$work/$fault/frame-0001.png" ] && fail "$fault ($renderer): a frame was written"
done <<'CASES'
library|software|cannot load the EGL library libEGL.so.1
platform|software|EGL's software device gives no display
platform|default|EGL's surfaceless platform gives no display
context|software|cannot create a compatibility-profile OpenGL context
context|default|cannot create a compatibility-profile OpenGL context
surface|software|cannot create a 32x24 pbuffer surface
CASES

QUILLMOOR_RENDERER=gpu "$quillmoor" --offscreen --size 32x24 --out "$work/gpu" > "$work/out" 2> "$work/err"
code=$?
[ "$code" = 1 ] || fail "unknown renderer in the environment: exit $code"
grep -qF "QUILLMOOR_RENDERER wants software" "$work/err" || fail "unknown renderer: $(cat "$work/err")"

echo "offscreen setup: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
