#!/bin/bash
# Without any X display the saver says so in one line and fails; switches
# that show nothing still exit with 0, and offscreen rendering still works.
. "$(dirname "$0")/lib.sh" || exit 1

for args in "" /s "/p 5" -root; do
    env -u DISPLAY "$QUILLMOOR" $args >"$WORK/out" 2>"$WORK/err"
    rc=$?
    [ "$rc" = 1 ] || fail "'$args' without a display: exit $rc"
    [ "$(wc -l <"$WORK/err")" = 1 ] || fail "'$args': not one line: $(cat "$WORK/err")"
done
pass "no display: $(cat "$WORK/err")"

for args in /x "/a 78"; do
    env -u DISPLAY "$QUILLMOOR" $args >"$WORK/out" 2>"$WORK/err" || fail "'$args' without a display: exit $?"
    [ -s "$WORK/err" ] && fail "'$args' without a display said: $(cat "$WORK/err")"
done
env -u DISPLAY "$QUILLMOOR" --offscreen --no-png >/dev/null || fail "--offscreen without a display: exit $?"
pass "/x, /a and --offscreen need no display"
