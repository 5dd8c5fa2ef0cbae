#!/bin/bash
# The options daemons and users pass: -window (a window of its own), -root,
# -window-id ID and XSCREENSAVER_WINDOW draw without dismissal; SIGTERM and
# SIGINT end every form with exit code 0; a destroyed target ends it at once.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xwininfo xev import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini

# wait_drawn_into: polls until the host window looks different from $before.
wait_drawn_into() {
    local i
    for i in $(seq 40); do
        after=$(lit_pixels "$HOST_WINDOW")
        [ "$after" -ne "$before" ] && return 0
        sleep 0.25
    done
    return 1
}

# expect_stop PID SIGNAL WHAT
expect_stop() {
    kill -"$2" "$1"
    wait_exit "$1" 3
    [ "$RC" = 0 ] || fail "$3: SIG$2 gave exit $RC"
    pass "$3: SIG$2 ends it with 0"
}

start OWN "$QUILLMOOR" -window
WINDOW=$(wait_window Quillmoor) || fail "no window for -window"
xdotool mousemove --window "$WINDOW" 10 10 click 1 key space mousemove --window "$WINDOW" 300 300 2>/dev/null
still_running "$OWN" 0.5 || fail "-window ended on input"
xdotool windowsize "$WINDOW" 300 200
wait_lit "$WINDOW" 10 || fail "-window drew nothing after resizing ($LIT lit pixels)"
pass "-window: own window, drawn, input ignored, resizable"
expect_stop "$OWN" TERM -window

start SAVER "$QUILLMOOR" /s
wait_window SaverWindow >/dev/null || fail "no saver window"
expect_stop "$SAVER" INT /s

# xev's window has one small child in its top-left corner; the rest shows what is drawn.
start HOST xev -geometry 300x200+20+20 -name daemonhost
HOST_WINDOW=$(wait_window daemonhost) || fail "no host window"
before=$(lit_pixels "$HOST_WINDOW")
start INTO "$QUILLMOOR" -window-id "$(printf '0x%x' "$HOST_WINDOW")"
wait_drawn_into || fail "-window-id: nothing drawn ($before, then $after lit pixels)"
xdotool mousemove --window "$HOST_WINDOW" 10 10 click 1 key space 2>/dev/null
still_running "$INTO" 0.3 || fail "-window-id ended on input"
pass "-window-id draws into the given window"
expect_stop "$INTO" TERM -window-id

# Remapping repaints the host window with its own background.
xdotool windowunmap --sync "$HOST_WINDOW" windowmap --sync "$HOST_WINDOW"
before=$(lit_pixels "$HOST_WINDOW")
XSCREENSAVER_WINDOW=$(printf '0x%x' "$HOST_WINDOW") start DAEMON "$QUILLMOOR" -root
wait_drawn_into || fail "XSCREENSAVER_WINDOW: nothing drawn into it"
xdotool windowclose "$HOST_WINDOW" 2>/dev/null
wait_exit "$DAEMON" 2
[ "$RC" = 0 ] || fail "XSCREENSAVER_WINDOW destroyed: exit $RC"
pass "XSCREENSAVER_WINDOW wins over -root; its destruction ends the run with 0 at once"

start ROOT "$QUILLMOOR" --root
wait_lit root 10 || fail "--root drew nothing ($LIT lit pixels)"
pass "--root draws on the root window"
expect_stop "$ROOT" INT --root

start BAD "$QUILLMOOR" -window-id nothing
wait_exit "$BAD" 3
[ "$RC" = 2 ] || fail "-window-id nothing: exit $RC"
start GONE "$QUILLMOOR" -window-id 0x3fffff0
wait_exit "$GONE" 5
[ "$RC" = 1 ] || fail "-window-id of no window: exit $RC"
pass "bad window ids fail with a message"

# An input-only window (made here with Xlib through Python's ctypes) can
# take no drawing: -window-id and XSCREENSAVER_WINDOW naming one fail with a
# message instead of drawing into nothing forever.
if command -v python3 >/dev/null; then
    start INPUT_ONLY python3 -c '
import ctypes, time
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
u, i, p = ctypes.c_uint, ctypes.c_int, ctypes.c_void_p
x.XCreateWindow.argtypes = [p, ctypes.c_ulong, i, i, u, u, u, i, u, p, ctypes.c_ulong, p]
x.XCreateWindow.restype = ctypes.c_ulong
x.XMapWindow.argtypes = [p, ctypes.c_ulong]
x.XFlush.argtypes = [p]
display = x.XOpenDisplay(None)
INPUT_ONLY = 2
window = x.XCreateWindow(display, x.XDefaultRootWindow(display), 0, 0, 200, 100, 0, 0, INPUT_ONLY, None, 0, None)
x.XMapWindow(display, window)
x.XFlush(display)
print(hex(window), flush=True)
time.sleep(60)'
    for i in $(seq 50); do [ -s "$WORK/INPUT_ONLY.out" ] && break; sleep 0.1; done
    INPUT_ONLY_WINDOW=$(cat "$WORK/INPUT_ONLY.out")
    xwininfo -id "$INPUT_ONLY_WINDOW" | grep -q 'Class: InputOnly' || fail "no input-only window made"
    for how in -window-id XSCREENSAVER_WINDOW; do
        if [ "$how" = -window-id ]; then
            start IO "$QUILLMOOR" -window-id "$INPUT_ONLY_WINDOW"
        else
            XSCREENSAVER_WINDOW=$INPUT_ONLY_WINDOW start IO "$QUILLMOOR" -root
        fi
        wait_exit "$IO" 5
        [ "$RC" = 1 ] && grep -q 'is input-only' "$WORK/IO.err" \
            || fail "$how of an input-only window: exit $RC, stderr: $(cat "$WORK/IO.err")"
    done
    pass "an input-only window is refused with a message"
fi
