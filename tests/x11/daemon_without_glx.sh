#!/bin/bash
# Started by the xscreensaver daemon on a display without GLX, the saver
# cannot set up: nobody could see or answer a box behind the daemon's
# window, so it puts its message on stderr (the daemon passes it on) and
# exits 1 within a second. The same holds for -window-id and /p started by
# hand.
. "$(dirname "$0")/lib.sh" || exit 1
require xscreensaver xscreensaver-command setpriv pgrep xwininfo
start_xvfb -extension GLX
export QUILLMOOR_SETTINGS=$WORK/settings.ini
message='ChoosePixelFormat() failed:  Cannot find a suitable pixel format.'

start_xscreensaver_daemon -root
as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "activate refused"
wait_for '[ -n "$(saver_pids)" ]' 15 || wait_for 'grep -qF "$message" "$WORK/DAEMON.err"' 5 \
    || fail "activation did not start Quillmoor"
wait_for '[ -z "$(saver_pids)" ]' 1 || fail "Quillmoor still runs a second after its start: $(saver_pids)"
wait_for 'grep -qF "quillmoor: $message" "$WORK/DAEMON.err"' 2 || fail "no message in the daemon's output"
pass "under the daemon: exits within a second of its start, message on stderr"
as_user xscreensaver-command -exit >/dev/null 2>&1
wait_exit "$DAEMON" 10

root=$(xwininfo -root | awk '/Window id:/ {print $4}')
for args in "-window-id $root" "/p $((root))" -root; do
    start SAVER "$QUILLMOOR" $args
    wait_exit "$SAVER" 1
    [ "$RC" = 1 ] || fail "'$args' without GLX: exit $RC within a second"
    grep -qxF "quillmoor: $message" "$WORK/SAVER.err" || fail "'$args': stderr was: $(cat "$WORK/SAVER.err")"
    pass "'$args' without GLX: message on stderr, exit 1 at once"
done
