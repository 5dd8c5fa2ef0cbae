#!/bin/bash
# /s covers the screen, draws, and ends with exit code 0 on a key press or on
# mouse buttons 1-3; the wheel and Alt alone do not end it.
. "$(dirname "$0")/lib.sh"
require xdotool xwininfo import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini

# run_saver: starts /s and waits for its window; sets SAVER and SAVER_WINDOW.
run_saver() {
    start SAVER "$QUILLMOOR" /s
    SAVER_WINDOW=$(wait_window SaverWindow) || fail "no saver window"
}

run_saver
[ "$(window_size "$SAVER_WINDOW")" = 800x600 ] || fail "saver window is $(window_size "$SAVER_WINDOW"), not the screen"
sleep 1
lit=$(lit_pixels)
[ "$lit" -gt 20 ] || fail "nothing drawn ($lit lit pixels)"
pass "full screen, $lit pixels drawn"
xdotool click 4 click 5 key Alt_L
still_running "$SAVER" 0.5 || fail "wheel or Alt ended the saver"
xdotool key space
wait_exit "$SAVER" 5
[ "$RC" = 0 ] || fail "key press: exit $RC"
pass "key press ends it with 0"

for button in 1 2 3; do
    run_saver
    xdotool click $button
    wait_exit "$SAVER" 5
    [ "$RC" = 0 ] || fail "button $button: exit $RC"
    pass "button $button ends it with 0"
done
