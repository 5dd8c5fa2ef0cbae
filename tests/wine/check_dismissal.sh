# The ways /s may end and may not, driven on the real program: the
# screen-saver-running flag while it runs and after, the hidden cursor, Alt
# and Alt+F4 (ignored), WM_CLOSE from another program (ignored in /s,
# honoured in /p) and the loss of activation (ends it with exit code 0).
# Another program's view comes from tests/win32/saver_probe.cpp.

# saver_flag_cleared WHAT: the system is told that no saver runs.
saver_flag_cleared() {
    local flag
    flag=$(probe running)
    [ "$flag" = 0 ] && pass "$1: SPI_GETSCREENSAVERRUNNING reads 0 afterwards" \
        || fail "$1: SPI_GETSCREENSAVERRUNNING reads \"$flag\" afterwards"
}

# wait_probe ANSWER SECONDS ARGUMENTS...: asks the probe until it answers
# ANSWER; ANSWER is the last answer.
wait_probe() {
    local want=$1 limit=$2 i
    shift 2
    for i in $(seq "$limit"); do
        ANSWER=$(probe "$@")
        [ "$ANSWER" = "$want" ] && return 0
        sleep 1
    done
    return 1
}

check_dismissal() {
    wine reg delete "$SAVER_KEY" /f >/dev/null 2>&1
    probe clear-running >/dev/null
    xdotool mousemove 400 300
    start SAVER wine "$SCR" /s
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "/s: no saver window"; return 1; }
    wait_probe 1 10 running && pass "/s: SPI_GETSCREENSAVERRUNNING reads 1 while it runs" \
        || fail "/s: SPI_GETSCREENSAVERRUNNING reads \"$ANSWER\" while it runs"

    # A move well inside the threshold makes the window set the cursor.
    xdotool mousemove 404 303 mousemove 400 300
    wait_probe hidden 10 cursor && pass "/s: the cursor is hidden" || fail "/s: the cursor is $ANSWER"

    local keys
    for keys in alt alt+F4; do
        xdotool key "$keys"
        still_running "$SAVER" 1 && pass "/s: $keys leaves it running" || { fail "/s: $keys ended it"; return 1; }
    done
    ANSWER=$(probe close)
    [ "$ANSWER" = ignored ] && still_running "$SAVER" 0.5 && pass "/s: WM_CLOSE from another program is ignored" \
        || { stop "$SAVER"; fail "/s: WM_CLOSE from another program: $ANSWER"; return 1; }

    ANSWER=$(probe activate)
    wait_exit "$SAVER" 20
    [ "$ANSWER" = "saver closed" ] && [ "$RC" = 0 ] && pass "/s: losing the activation ends it with exit code 0" \
        || { stop "$SAVER"; fail "/s: another window took the activation: $ANSWER, exit $RC"; return 1; }
    saver_flag_cleared "/s"
}

# /p: a WM_CLOSE from the preview's host ends the saver (exit code 0) and
# leaves the parent.
check_preview_close() {
    local command=$WORK/close-child i
    echo close >"$WORK/close-command"
    rm -f "$command"
    start HOST wine "$PREVIEW_HOST" "$(winepath -w "$SCR")" "$(winepath -w "$command")"
    for i in $(seq 300); do
        grep -q '^ready' "$WORK/HOST.out" 2>/dev/null && break
        kill -0 "$HOST" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '^ready' "$WORK/HOST.out" || { stop "$HOST"; fail "/p: $(cat "$WORK/HOST.out")"; return 1; }
    mv "$WORK/close-command" "$command"
    wait_exit "$HOST" 60
    if [ "$RC" = 0 ] && grep -q 'exit code 0 after WM_CLOSE' "$WORK/HOST.out"; then
        pass "/p: WM_CLOSE from another program ends it with 0; the parent stays"
    else
        stop "$HOST"
        fail "/p, WM_CLOSE (exit $RC): $(tr '\n' ' ' <"$WORK/HOST.out")"
    fi
}
