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

# start_xscreensaver_daemon SAVER_ARGS: the xscreensaver daemon on $DISPLAY,
# set to run only $QUILLMOOR with SAVER_ARGS, as nobody when this runs as root
# (it will not launch savers as root). Its output, and with it the saver's
# stderr, goes to $WORK/DAEMON.err. Defines as_user and saver_pids (wait_for is tests/support/processes.sh's).
start_xscreensaver_daemon() {
    local SAVER_ARGS=$1
    mkdir -p "$WORK/home"
    if [[ $QUILLMOOR == */* ]]; then
        # A copy of the program in a place the unprivileged user can run it from;
        # its unique path also tells its processes apart from any other.
        SAVER_BIN=$WORK/bin/quillmoor
        mkdir -p "$WORK/bin"
        cp "$QUILLMOOR" "$SAVER_BIN"
        chmod 755 "$WORK/bin" "$SAVER_BIN"
    else
        command -v "$QUILLMOOR" >/dev/null || fail "$QUILLMOOR is not installed"
        SAVER_BIN=$QUILLMOOR
    fi
    cat >"$WORK/home/.xscreensaver" <<CONF
mode:		one
selected:	0
lock:		False
fade:		False
unfade:		False
splash:		False
timeout:	0:30:00
programs:	GL: "Quillmoor" $SAVER_BIN $SAVER_ARGS \\n
CONF
    [ "$(id -u)" = 0 ] && chown -R 65534:65534 "${WORK:?}/home"
    SAVER_UID=$(id -u)
    [ "$SAVER_UID" = 0 ] && SAVER_UID=65534

    # The daemon and its commands run as nobody when this runs as root, else as
    # the user running the test.
    as_user() {
        local drop=()
        [ "$(id -u)" = 0 ] && drop=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        (cd / && "${drop[@]}" \
            env -i HOME="$WORK/home" DISPLAY="$DISPLAY" PATH="$PATH" QUILLMOOR_SETTINGS="$WORK/home/settings.ini" "$@")
    }
    saver_pids() { pgrep -u "$SAVER_UID" -f "^$SAVER_BIN( |\$)"; }

    start DAEMON as_user xscreensaver --no-splash
    wait_for 'as_user xscreensaver-command -version >/dev/null 2>&1' 15 || fail "the daemon did not start"
}
