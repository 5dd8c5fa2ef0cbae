#!/bin/bash
# Another client resizes the saver's window far beyond what OpenGL draws
# (32767x32767, the largest X window; Xvfb's screen stays 800x600): each form
# stops drawing with one message, draws again once the window is small, and
# still ends the way it should. A window already that large when the saver
# starts is handled the same way.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xwininfo xev xmessage import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini
huge="32767 32767"
message='larger than OpenGL can draw'

# wait_message NAME: polls (10 s at most) until NAME's stderr holds the message.
wait_message() {
    local i
    for i in $(seq 100); do
        grep -q "$message" "$WORK/$1.err" && return 0
        sleep 0.1
    done
    return 1
}

# check_size_case NAME PID WINDOW: resizes WINDOW to the huge size and back.
check_size_case() {
    local name=$1 pid=$2 window=$3
    xdotool windowsize "$window" $huge
    wait_message "$name" || fail "$name: no message at 32767x32767"
    still_running "$pid" 1 || fail "$name: ended at 32767x32767 (exit $(wait "$pid"; echo $?))"
    [ "$(grep -c "$message" "$WORK/$name.err")" = 1 ] || fail "$name: not one message: $(cat "$WORK/$name.err")"
    xdotool windowsize "$window" 300 200
    wait_lit "$window" 10 || fail "$name: drew nothing once small again ($LIT lit pixels)"
    pass "$name: stops drawing at 32767x32767 with one message, draws again at 300x200"
}

start OWN "$QUILLMOOR" -window
check_size_case OWN "$OWN" "$(wait_window Quillmoor)" || exit 1
kill -TERM "$OWN"
wait_exit "$OWN" 10
[ "$RC" = 0 ] || fail "-window: SIGTERM gave exit $RC"

start HOST xmessage -geometry 320x240+10+10 -name previewhost "preview host"
HOST_WINDOW=$(wait_window previewhost) || fail "no preview host"
start PREVIEW "$QUILLMOOR" /p "$((HOST_WINDOW))"
wait_window SaverWindow >/dev/null || fail "no preview window"
check_size_case PREVIEW "$PREVIEW" "$HOST_WINDOW"
kill "$HOST"
wait_exit "$PREVIEW" 10
[ "$RC" = 0 ] || fail "/p: host window destroyed, exit $RC"

start SAVER "$QUILLMOOR" /s
SAVER_WINDOW=$(wait_window SaverWindow) || fail "no saver window"
xdotool windowsize "$SAVER_WINDOW" $huge
wait_message SAVER || fail "/s: no message"
still_running "$SAVER" 1 || fail "/s: ended at 32767x32767"
# Resizes racing the frames: GL must never see the huge size.
for i in $(seq 100); do
    xdotool windowsize "$SAVER_WINDOW" 800 600 windowsize "$SAVER_WINDOW" $huge
done
still_running "$SAVER" 1 || fail "/s: ended while resized back and forth (exit $(wait "$SAVER"; echo $?))"
xdotool key space
wait_exit "$SAVER" 10
[ "$RC" = 0 ] || fail "/s: a key at 32767x32767 gave exit $RC"
grep -q "$message" "$WORK/SAVER.err" || fail "/s: no message"
pass "/s at 32767x32767: one message, survives racing resizes, a key still ends it"

start BIG xev -geometry 32767x32767+0+0 -name bighost
BIG_WINDOW=$(wait_window bighost) || fail "no large host window"
start INTO "$QUILLMOOR" -window-id "$(printf '0x%x' "$BIG_WINDOW")"
wait_message INTO || fail "-window-id into a 32767x32767 window: no message"
still_running "$INTO" 1 || fail "-window-id into a 32767x32767 window ended (exit $(wait "$INTO"; echo $?))"
grep -q "$message" "$WORK/INTO.err" || fail "-window-id into a 32767x32767 window: no message"
xdotool windowsize "$BIG_WINDOW" 300 200
before=$(lit_pixels "$BIG_WINDOW")
for i in $(seq 40); do
    [ "$(lit_pixels "$BIG_WINDOW")" != "$before" ] && break
    sleep 0.25
done
still_running "$INTO" 0 || fail "-window-id ended once its window was small (exit $(wait "$INTO"; echo $?))"
[ "$(lit_pixels "$BIG_WINDOW")" != "$before" ] || fail "-window-id drew nothing once its window was small"
pass "-window-id into a window that starts at 32767x32767: waits, then draws at 300x200"
kill -TERM "$INTO"
wait_exit "$INTO" 10
[ "$RC" = 0 ] || fail "-window-id: SIGTERM gave exit $RC"
