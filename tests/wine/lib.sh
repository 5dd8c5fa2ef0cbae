# Shared by the Wine checks: a private Xvfb and Wine prefix per run (one run
# per build), bounded waits and screenshots. Sourced by run.sh. Nothing here is timed: under Wine
# the same work takes very different times from run to run.

WORK=${WORK:?}
ARTIFACTS=${ARTIFACTS:?}
FAILURES=0
PASSES=0
BITS=
STARTED_PIDS=()
XVFB_PID=

. "$(dirname "${BASH_SOURCE[0]}")/../support/processes.sh"

# Each result names the build it is for.
pass() {
    echo "  ok [$BITS-bit]: $*"
    PASSES=$((PASSES + 1))
}
fail() {
    echo "  FAIL [$BITS-bit]: $*"
    FAILURES=$((FAILURES + 1))
    return 1
}

# make_prefix win64|win32: a fresh Wine prefix of that kind with no crash dialog (a crash must end the process so
# that its exit code tells) and no managed windows: with no window manager to
# answer, Wine would wait 2 s at every window's withdrawal, and a wrong close
# would show only after that.
make_prefix() {
    export WINEPREFIX=$WORK/prefix WINEARCH=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >"$WORK/wineboot.log" 2>&1 || { cat "$WORK/wineboot.log"; return 1; }
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
}

# end_run: ends what the run started (processes, Wine, its Xvfb).
end_run() {
    local pid
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    for pid in "${STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    STARTED_PIDS=()
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
    unset WINEPREFIX
}

# stop PID: ends a process this run started that outlived its check.
stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# lit_pixels IMAGE [GEOMETRY]: how many pixels (of the crop) are not black.
lit_pixels() {
    convert "$1" ${2:+-crop "$2" +repage} -fill white +opaque black -format '%[fx:round(mean*w*h)]' info: 2>/dev/null \
        || echo 0
}

# wait_lit IMAGE SECONDS [WINDOW]: screenshots the window (default the whole
# screen) into IMAGE until more than 100 pixels are lit; LIT is the last count.
wait_lit() {
    local image=$1 limit=$2 window=${3:-root} i
    LIT=0
    for i in $(seq $((limit * 4))); do
        if import -window "$window" "$image" 2>/dev/null; then
            LIT=$(lit_pixels "$image")
            [ "$LIT" -gt 100 ] && return 0
        fi
        sleep 0.25
    done
    return 1
}

# reg_set NAME TYPE DATA: a value under the common screen-saver key.
SAVER_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
reg_set() {
    wine reg add "$SAVER_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1
}

# probe ARGUMENTS...: the answer of tests/win32/saver_probe.cpp, another
# program on the saver's desktop (carriage returns taken off).
probe() {
    wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'
}

# answer_error_box PID WHAT IMAGE [TEXT]: the program PID shows a box titled
# "Error" that stays up (screenshot in IMAGE), whose text, read from its
# control, is TEXT (a newline written as \n), and once its OK is clicked the
# program ends with exit code 1. RC is the exit code, or "running".
answer_error_box() {
    local pid=$1 what=$2 image=$3 text=${4-} box size shown
    RC=running
    if ! box=$(wait_window Error 30); then
        wait_exit "$pid" 1
        fail "$what: no Error box (exit $RC)"
    elif ! still_running "$pid" 1 || ! xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
        fail "$what: the Error box did not stay"
    else
        import -window "$box" "$image" 2>/dev/null
        if [ -n "$text" ]; then
            shown=$(probe box Error)
            [ "$shown" = "$text" ] && pass "$what: the box says \"$text\"" \
                || fail "$what: the box says \"$shown\", not \"$text\""
        fi
        # OK: centred, near the bottom of the box.
        size=$(xdotool getwindowgeometry "$box" | awk '/Geometry/ {print $2}')
        xdotool mousemove --window "$box" $((${size%x*} / 2)) $((${size#*x} - 25)) click 1
        wait_exit "$pid" 20
        [ "$RC" = 1 ] && pass "$what: the Error box stays until OK, then exit 1 ($image)" \
            || fail "$what: exit $RC after OK, expected 1"
    fi
    [ "$RC" = running ] && stop "$pid"
}
