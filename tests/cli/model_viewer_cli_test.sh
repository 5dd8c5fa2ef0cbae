#!/usr/bin/env bash
# The model viewer end to end: every model renders visibly, sepia is warm,
# an unknown name is refused with one line.
set -u
quillmoor=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for model in A B1 B2 C D; do
  "$quillmoor" --offscreen --model "$model" --frames 2 --size 96x72 --out "$work/$model" > /dev/null 2>&1 \
    || fail "model $model: exit $?"
  for n in 0001 0002; do
    [ -s "$work/$model/frame-$n.png" ] || fail "model $model: frame-$n.png missing"
  done
  if command -v convert > /dev/null; then
    # Mean brightness above black: the model is drawn.
    mean=$(convert "$work/$model/frame-0001.png" -colorspace Gray -format '%[fx:mean*1000]' info:)
    [ "${mean%.*}" -ge 2 ] || fail "model $model: picture is black (mean $mean/1000)"
  fi
done

if command -v convert > /dev/null; then
  "$quillmoor" --offscreen --model C --sepia --size 96x72 --out "$work/sepia" > /dev/null 2>&1 || fail "sepia: exit $?"
  # Red at least blue over the whole picture.
  warm=$(convert "$work/sepia/frame-0001.png" -format '%[fx:mean.r>=mean.b ? 1 : 0]' info:)
  [ "$warm" = 1 ] || fail "sepia picture is not warm"
fi

"$quillmoor" --offscreen --model Z --out "$work/unknown" > "$work/out" 2> "$work/err"
code=$?
[ "$code" -ne 0 ] && [ "$code" -lt 128 ] || fail "unknown model: exit $code"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "unknown model: not one line: $(cat "$work/err")"
grep -q "quillmoor: unknown model 'Z'" "$work/err" || fail "unknown model: $(cat "$work/err")"
[ -e "$work/unknown" ] && fail "unknown model still created the output directory"

echo "model viewer cli: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
