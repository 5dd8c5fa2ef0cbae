#!/bin/bash
# No arguments: the configuration dialog. Cancel leaves the settings alone;
# OK creates the program's own section; both exit with 0.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/config/settings.ini

# click_button ID INDEX: clicks button INDEX (0 = OK, 1 = Cancel) of a dialog
# laid out as the program lays it: 80x26 buttons at the bottom right, 12 px
# from the edges and 8 px apart.
click_button() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local x y
    if [ "$2" = 0 ]; then x=$((WIDTH - 12 - 80 - 8 - 40)); else x=$((WIDTH - 12 - 40)); fi
    y=$((HEIGHT - 12 - 13))
    xdotool mousemove --window "$1" "$x" "$y" click 1 2>/dev/null
}

start DIALOG "$QUILLMOOR"
WINDOW=$(wait_window "Quillmoor Settings") || fail "no configuration dialog"
click_button "$WINDOW" 1
wait_exit "$DIALOG" 5
[ "$RC" = 0 ] || fail "Cancel: exit $RC"
[ ! -e "$QUILLMOOR_SETTINGS" ] || fail "Cancel wrote $(cat "$QUILLMOOR_SETTINGS")"
pass "Cancel ends with 0 and writes nothing"

start DIALOG "$QUILLMOOR" /c
WINDOW=$(wait_window "Quillmoor Settings") || fail "no configuration dialog for /c"
click_button "$WINDOW" 0
wait_exit "$DIALOG" 5
[ "$RC" = 0 ] || fail "OK: exit $RC"
grep -qx '\[Software\\Orvel\\Quillmoor\]' "$QUILLMOOR_SETTINGS" || fail "OK did not create the own section"
pass "OK ends with 0 and creates [Software\\Orvel\\Quillmoor]"

# The keyboard works as well: Escape cancels.
start DIALOG "$QUILLMOOR" /c:0
WINDOW=$(wait_window "Quillmoor Settings") || fail "no configuration dialog for /c:0"
xdotool keydown --window "$WINDOW" Escape 2>/dev/null
wait_exit "$DIALOG" 5
[ "$RC" = 0 ] || fail "Escape: exit $RC"
pass "Escape closes the dialog"

# Modes that show nothing, and the password change (no such component here).
for args in /x - "/a 78"; do
    start NOTHING "$QUILLMOOR" $args
    wait_exit "$NOTHING" 5
    [ "$RC" = 0 ] || fail "'$args': exit $RC"
done
pass "/x, - and /a show nothing and exit with 0"
