#!/usr/bin/env bash
# The benchmark end to end, small: a short run writes its JSON with every
# kind of frame in it; a bad option is refused with a message.
set -u
bench=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$work" && "$bench" --short --size 160x120 --json "$work/figures.json" > "$work/out" 2> "$work/err") \
  || fail "short run: exit $? $(cat "$work/err")"
grep -q "glow frames measured" "$work/out" || fail "no table: $(cat "$work/out")"
json=$(tr -d '\n ' < "$work/figures.json" 2>/dev/null)
for kind in colour sepia glow; do
  echo "$json" | grep -q "\"$kind\":{\"frames\":[1-9]" || fail "no $kind frames in the JSON"
done
echo "$json" | grep -q '"first_frame_ms":[0-9]' || fail "no first-frame figure"
echo "$json" | grep -q '"flip_frames_ms":\[[0-9.]*,[0-9.]*\]' || fail "not two flip frames"

"$bench" --size 0x0 > "$work/out" 2> "$work/err"
code=$?
[ "$code" = 2 ] || fail "bad size: exit $code"
grep -q "quillmoor_bench: " "$work/err" || fail "bad size: no message"

echo "bench cli: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" = 0 ]
