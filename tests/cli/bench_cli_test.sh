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
echo "$json" | grep -q '"context":"[A-Za-z]' || fail "the JSON does not name the context"

# Two renderers side by side: each size measured with both, then compared.
(cd "$work" && "$bench" --short --size 64x48 --frames 10 --renderer software --renderer default \
  --json "$work/two.json" > "$work/out" 2> "$work/err") || fail "two renderers: exit $? $(cat "$work/err")"
[ "$(grep -c '^  context: EGL, ' "$work/out")" = 2 ] || fail "two renderers: not two contexts named: $(cat "$work/out")"
grep -Eq '^64x48 median frame: default [0-9.]+ ms = [0-9.]+ x software$' "$work/out" \
  || fail "two renderers: no comparison: $(cat "$work/out")"
echo "$json" | grep -q '"flip_frames_ms":\[[0-9.]*,[0-9.]*\]' || fail "not two flip frames"

"$bench" --renderer gpu > "$work/out" 2> "$work/err"
[ "$?" = 2 ] && grep -q "renderer" "$work/err" || fail "unknown renderer: $(cat "$work/err")"
"$bench" --size 0x0 > "$work/out" 2> "$work/err"
code=$?
[ "$code" = 2 ] || fail "bad size: exit $code"
grep -q "quillmoor_bench: " "$work/err" || fail "bad size: no message"

echo "bench cli: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" = 0 ]
