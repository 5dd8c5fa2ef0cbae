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

start_xscreensaver_daemon "$SAVER_ARGS"

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
