#!/bin/bash
# Without GLX the saver cannot set up its window: where a user started it
# (/s, -window) the message goes to stderr word for word and into a box
# titled "Error" with OK; the run then exits non-zero. (The forms a daemon or
# a preview host starts show no box: daemon_without_glx.sh.)
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xwininfo
start_xvfb -extension GLX
export QUILLMOOR_SETTINGS=$WORK/settings.ini
message='ChoosePixelFormat() failed:  Cannot find a suitable pixel format.'

for args in /s -window; do
    start SAVER "$QUILLMOOR" $args
    BOX=$(wait_window Error) || fail "'$args': no error box"
    eval "$(xdotool getwindowgeometry --shell "$BOX")"
    # The one OK button sits at the bottom right, 80x26, 12 px from the edges.
    xdotool mousemove --window "$BOX" $((WIDTH - 12 - 40)) $((HEIGHT - 12 - 13)) click 1 2>/dev/null
    wait_exit "$SAVER" 5
    [ "$RC" != 0 ] && [ "$RC" != running ] || fail "'$args': exit $RC after the error"
    grep -qxF "quillmoor: $message" "$WORK/SAVER.err" || fail "'$args': stderr was: $(cat "$WORK/SAVER.err")"
    pass "'$args': error box, stderr message, exit $RC"
done
