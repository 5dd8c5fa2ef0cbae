# A set-up failure: on an X server without GLX, Wine has no pixel formats, so
# /s must show the "Error" box (and keep it up: the saver window goes first,
# or its close would end the box at once) and end with exit code 1 after OK.
# Runs last: Wine is restarted on that server.
check_setup_error() {
    local saved=$DISPLAY saved_pid=$XVFB_PID
    RC=running
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    start_xvfb -extension GLX || { fail "no second Xvfb"; return 1; }
    STARTED_PIDS+=("$XVFB_PID")
    start SAVER wine "$SCR" /s
    local box
    if ! box=$(wait_window Error 30); then
        wait_exit "$SAVER" 1
        fail "no Error box (exit $RC)"
    elif ! still_running "$SAVER" 1 || ! xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
        fail "the Error box did not stay"
    else
        import -window "$box" "$ARTIFACTS/error-box.png" 2>/dev/null
        # OK: centred, near the bottom of the box.
        local size
        size=$(xdotool getwindowgeometry "$box" | awk '/Geometry/ {print $2}')
        xdotool mousemove --window "$box" $((${size%x*} / 2)) $((${size#*x} - 25)) click 1
        wait_exit "$SAVER" 20
        [ "$RC" = 1 ] && pass "no GL: the Error box stays until OK, then exit 1 ($ARTIFACTS/error-box.png)" \
            || fail "no GL: exit $RC after OK, expected 1"
    fi
    [ "$RC" = running ] && stop "$SAVER"
    wineserver -k 2>/dev/null
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    DISPLAY=$saved XVFB_PID=$saved_pid
}
