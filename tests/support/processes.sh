# Shared by the shell tests (X11, Wine): a private Xvfb and background
# processes with bounded waits. Sourced; the sourcing script sets WORK, keeps
# STARTED_PIDS and XVFB_PID for its clean-up, and defines fail.

# start_private_xvfb [Xvfb arguments]: a private server on a free display, 800x600.
start_private_xvfb() {
    local numberFile=$WORK/display i
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset -ac "$@" 3>"$numberFile" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 200); do
        [ -s "$numberFile" ] && break
        sleep 0.05
    done
    [ -s "$numberFile" ] || { fail "Xvfb did not start"; return 1; }
    export DISPLAY=:$(head -n1 "$numberFile")
}

# start NAME command...: runs a command in the background; its pid goes into
# the variable NAME, its output into $WORK/NAME.out and $WORK/NAME.err.
start() {
    local name=$1
    shift
    "$@" >"$WORK/$name.out" 2>"$WORK/$name.err" &
    local pid=$!
    STARTED_PIDS+=("$pid")
    printf -v "$name" '%s' "$pid"
}

# wait_exit PID SECONDS: waits for the process to end and sets RC to its exit
# code, or to "running" when it is still there after SECONDS. (Not in a
# subshell: only this shell can collect its children's exit codes.)
wait_exit() {
    local pid=$1 limit=$2 i
    RC=running
    for i in $(seq $((limit * 20))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            RC=$?
            return
        fi
        sleep 0.05
    done
}

# wait_for CONDITION SECONDS: polls a shell condition.
wait_for() {
    local i
    for i in $(seq $(($2 * 10))); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# still_running PID SECONDS: true when the process is alive after SECONDS.
still_running() {
    sleep "$2"
    kill -0 "$1" 2>/dev/null
}

# wait_window NAME [SECONDS]: prints the X id of the first visible window
# named exactly NAME (30 s at most), once it has had a moment to take the
# input it asks for.
wait_window() {
    local name=$1 limit=${2:-30} i id
    for i in $(seq $((limit * 10))); do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            sleep 0.3
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
