#!/bin/bash
# Pointer travel of exactly "Mouse Threshold" pixels on each axis keeps the
# saver running; one pixel more on either axis ends it with exit code 0.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini
printf '[Screen Savers]\nMouse Threshold = 20\n' >"$QUILLMOOR_SETTINGS"

for beyond in "421 300" "400 279"; do
    xdotool mousemove 400 300
    start SAVER "$QUILLMOOR" /s
    wait_window SaverWindow >/dev/null || fail "no saver window"
    for at in "420 320" "380 280" "420 280" "400 300"; do
        xdotool mousemove $at
        still_running "$SAVER" 0.3 || fail "moving to $at (exactly the threshold) ended the saver"
    done
    xdotool mousemove $beyond
    wait_exit "$SAVER" 5
    [ "$RC" = 0 ] || fail "moving to $beyond: exit $RC"
    pass "threshold 20 held; $beyond ends it with 0"
done

# A zero threshold: one pixel is enough.
printf '[Screen Savers]\nMouse Threshold = 0\n' >"$QUILLMOOR_SETTINGS"
xdotool mousemove 400 300
start SAVER "$QUILLMOOR" /s
wait_window SaverWindow >/dev/null || fail "no saver window"
xdotool mousemove 400 301
wait_exit "$SAVER" 5
[ "$RC" = 0 ] || fail "threshold 0, one pixel: exit $RC"
pass "threshold 0: one pixel ends it"
