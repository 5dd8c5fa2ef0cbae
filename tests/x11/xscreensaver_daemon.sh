#!/bin/bash
# Under the real xscreensaver daemon (run as an unprivileged user, since it
# will not launch savers as root): activation starts Quillmoor drawing into
# the daemon's window, deactivation ends it, and no process is left behind.
#
# $1 is a path to the program, or the bare name of an installed one, which the
# daemon then finds itself; further arguments replace its -root.
. "$(dirname "$0")/lib.sh" || exit 1
require xscreensaver xscreensaver-command setpriv pgrep import convert
start_xvfb
shift
SAVER_ARGS=${*:--root}

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

# wait_for CONDITION SECONDS: polls a shell condition.
wait_for() {
    local i
    for i in $(seq $(($2 * 10))); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

start DAEMON as_user xscreensaver --no-splash
wait_for 'as_user xscreensaver-command -version >/dev/null 2>&1' 15 || fail "the daemon did not start"

as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "activate refused"
wait_for '[ -n "$(saver_pids)" ]' 15 || fail "activation did not start Quillmoor"
wait_lit root 10 || fail "Quillmoor drew nothing under the daemon ($LIT lit pixels)"
pass "activation starts Quillmoor drawing ($LIT pixels lit)"

as_user xscreensaver-command -deactivate >/dev/null 2>&1 || fail "deactivate refused"
wait_for '[ -z "$(saver_pids)" ]' 10 || fail "deactivation left Quillmoor running: $(saver_pids)"
pass "deactivation ends Quillmoor"

as_user xscreensaver-command -activate >/dev/null 2>&1
wait_for '[ -n "$(saver_pids)" ]' 15 || fail "second activation did not start Quillmoor"
as_user xscreensaver-command -exit >/dev/null 2>&1
wait_exit "$DAEMON" 10
wait_for '[ -z "$(saver_pids)" ]' 10 || fail "the daemon's exit left Quillmoor running: $(saver_pids)"
pass "the daemon's exit while active leaves no process behind"
