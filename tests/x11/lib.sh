# Shared by the X11 tests: a private Xvfb per test, waiting helpers and
# clean-up of everything a test started. Sourced; $1 of the test is the
# quillmoor binary.
set -u

QUILLMOOR=${1:?usage: $0 path/to/quillmoor}
SKIP=77
WORK=$(mktemp -d /tmp/quillmoor-x11-XXXXXX)
chmod 755 "$WORK"
STARTED_PIDS=()
XVFB_PID=

skip() { echo "SKIP: $*"; exit $SKIP; }
fail() {
    echo "FAIL: $*"
    local log
    for log in "$WORK"/*.err; do
        [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
    done
    exit 1
}
pass() { echo "ok: $*"; }

require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
    done
}

cleanup() {
    local pid
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${STARTED_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

. "$(dirname "${BASH_SOURCE[0]}")/../support/processes.sh"
start_xvfb() {
    require Xvfb
    start_private_xvfb "$@"
}

# lit_pixels [WINDOW]: how many pixels of the window (default the root) are not black.
lit_pixels() {
    import -window "${1:-root}" "$WORK/shot.png" 2>/dev/null || { echo 0; return; }
    convert "$WORK/shot.png" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info: 2>/dev/null || echo 0
}

# wait_lit WINDOW SECONDS: polls until more than 20 pixels of the window are
# lit; sets LIT to the last count and fails (returns 1) at the time limit.
wait_lit() {
    local i
    for i in $(seq $(($2 * 4))); do
        LIT=$(lit_pixels "$1")
        [ "$LIT" -gt 20 ] && return 0
        sleep 0.25
    done
    return 1
}

# window_size ID: prints WIDTHxHEIGHT.
window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}
