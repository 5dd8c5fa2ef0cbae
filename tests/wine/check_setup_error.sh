# A set-up failure: on an X server without GLX, Wine has no pixel formats, so
# /s must show the "Error" box with its message (and keep it up: the saver
# window goes first, or its close would end the box at once), end with exit
# code 1 after OK, and leave the system told that no saver runs.
# Runs last: Wine is restarted on that server.
check_setup_error() {
    local saved=$DISPLAY saved_pid=$XVFB_PID
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    start_private_xvfb -extension GLX || { fail "no second Xvfb"; return 1; }
    STARTED_PIDS+=("$XVFB_PID")
    probe clear-running >/dev/null
    start SAVER wine "$SCR" /s
    answer_error_box "$SAVER" "no GL" "$ARTIFACTS/error-box.png" \
        'ChoosePixelFormat() failed:  Cannot find a suitable pixel format.'
    saver_flag_cleared "no GL"
    wineserver -k 2>/dev/null
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    DISPLAY=$saved XVFB_PID=$saved_pid
}
