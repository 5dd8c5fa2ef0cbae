#!/bin/bash
# /s covers the screen, draws, and ends with exit code 0 on a key press, on
# mouse buttons 1-3, on losing the focus or being unmapped; the wheel and Alt
# alone do not end it, and neither does Alt+F4.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xwininfo xev import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini

# run_saver: starts /s and waits for its window; sets SAVER and SAVER_WINDOW.
run_saver() {
    start SAVER "$QUILLMOOR" /s
    SAVER_WINDOW=$(wait_window SaverWindow) || fail "no saver window"
}

run_saver
[ "$(window_size "$SAVER_WINDOW")" = 800x600 ] || fail "saver window is $(window_size "$SAVER_WINDOW"), not the screen"
wait_lit root 10 || fail "nothing drawn ($LIT lit pixels)"
pass "full screen, $LIT pixels drawn"
xdotool click 4 click 5 key Alt_L key alt+F4
still_running "$SAVER" 0.5 || fail "wheel, Alt or Alt+F4 ended the saver"
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

run_saver
xdotool windowunmap "$SAVER_WINDOW"
wait_exit "$SAVER" 5
[ "$RC" = 0 ] || fail "unmapped: exit $RC"
pass "being unmapped ends it with 0"

start OTHER xev -geometry 100x100+0+0 -name otherwindow
OTHER_WINDOW=$(wait_window otherwindow) || fail "no other window"
run_saver
xdotool windowfocus "$OTHER_WINDOW"
wait_exit "$SAVER" 5
[ "$RC" = 0 ] || fail "focus lost: exit $RC"
pass "losing the focus ends it with 0"

run_saver
xdotool windowclose "$SAVER_WINDOW" 2>/dev/null
wait_exit "$SAVER" 2
[ "$RC" = 0 ] || fail "window destroyed by another client: exit $RC"
pass "its window destroyed by another client: ends with 0 at once"
