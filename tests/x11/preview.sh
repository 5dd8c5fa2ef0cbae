#!/bin/bash
# /p ID draws in a child window filling another client's window, follows its
# size, ignores input, and ends at once with exit code 0 when that window is
# destroyed. A parent of 0, or an id that is no window, fails with a message.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xwininfo xmessage import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini

start HOST xmessage -geometry 320x240+10+10 -name previewhost "preview host"
HOST_WINDOW=$(wait_window previewhost) || fail "no host window"

start SAVER "$QUILLMOOR" /p "$((HOST_WINDOW))"
CHILD=$(wait_window SaverWindow) || fail "no preview window"
xwininfo -children -id "$HOST_WINDOW" | grep -q "$(printf '0x%x' "$CHILD")" || fail "preview window is not a child of the host"
[ "$(window_size "$CHILD")" = 320x240 ] || fail "preview is $(window_size "$CHILD"), not 320x240"
wait_lit "$CHILD" 10 || fail "nothing drawn in the preview ($LIT lit pixels)"
pass "preview drawn inside the host window ($LIT pixels)"

xdotool mousemove --window "$CHILD" 100 100 click 1 click 3 key space mousemove --window "$CHILD" 300 200
still_running "$SAVER" 0.5 || fail "input ended the preview"
pass "input ignored"

xdotool windowsize "$HOST_WINDOW" 400 300
for i in $(seq 40); do
    [ "$(window_size "$CHILD")" = 400x300 ] && break
    sleep 0.05
done
[ "$(window_size "$CHILD")" = 400x300 ] || fail "preview did not follow the host's size: $(window_size "$CHILD")"
pass "preview follows the host's size"

kill "$HOST"
wait_exit "$SAVER" 3
[ "$RC" = 0 ] || fail "host window destroyed: exit $RC"
pass "host window destroyed: preview ends with 0"

for parent in 0 "" 12345 abc; do
    start BAD "$QUILLMOOR" /p $parent
    wait_exit "$BAD" 5
    [ "$RC" != 0 ] && [ "$RC" != running ] || fail "/p '$parent': exit $RC"
    [ "$(wc -l <"$WORK/BAD.err")" = 1 ] || fail "/p '$parent': not a one-line message"
    pass "/p '$parent' fails (exit $RC): $(cat "$WORK/BAD.err")"
done
