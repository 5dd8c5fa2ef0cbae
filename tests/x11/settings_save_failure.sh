#!/bin/bash
# OK in the configuration dialog when the settings cannot be saved: the old
# file keeps its bytes, an error box and stderr say why, and the exit status
# is 1. Cases: a full disk (a small tmpfs, mounted when run as root) and a
# relative HOME; the store's unit test has the other causes.
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool cmp
start_xvfb
QUILLMOOR=$(readlink -f "$QUILLMOOR")  # run from another folder below

click_ok() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" $((WIDTH - 12 - 80 - 8 - 40)) $((HEIGHT - 12 - 13)) click 1 2>/dev/null
}
click_only_button() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" $((WIDTH - 12 - 40)) $((HEIGHT - 12 - 13)) click 1 2>/dev/null
}

# expect_refused NAME REASON [env assignments...]: OK is refused with REASON.
expect_refused() {
    local name=$1 reason=$2
    shift 2
    start DIALOG env "$@" "$QUILLMOOR" /c
    local dialog box
    dialog=$(wait_window "Quillmoor Settings") || fail "$name: no dialog"
    click_ok "$dialog"
    box=$(wait_window Error 10) || fail "$name: no error box after OK"
    click_only_button "$box"
    wait_exit "$DIALOG" 5
    [ "$RC" = 1 ] || fail "$name: exit $RC"
    grep -q "quillmoor: cannot save the settings" "$WORK/DIALOG.err" || fail "$name: stderr: $(cat "$WORK/DIALOG.err")"
    grep -qF "$reason" "$WORK/DIALOG.err" || fail "$name: no '$reason' in: $(cat "$WORK/DIALOG.err")"
    pass "$name: box, '$reason' on stderr, exit 1"
}

original=$'[Screen Savers]\nMouse Threshold = 7\n'

if [ "$(id -u)" = 0 ] && mkdir "$WORK/full" && mount -t tmpfs -o size=16k tmpfs "$WORK/full" 2>/dev/null; then
    trap 'umount "$WORK/full" 2>/dev/null; cleanup' EXIT
    printf '%s' "$original" >"$WORK/full/settings.ini"
    cp "$WORK/full/settings.ini" "$WORK/full.copy"
    dd if=/dev/zero of="$WORK/full/filler" bs=1k count=64 2>/dev/null
    expect_refused "full disk" "No space left on device" QUILLMOOR_SETTINGS="$WORK/full/settings.ini"
    cmp -s "$WORK/full/settings.ini" "$WORK/full.copy" || fail "full disk: the file changed: $(cat "$WORK/full/settings.ini")"
    [ "$(ls -A "$WORK/full")" = "$(printf 'filler\nsettings.ini')" ] || fail "full disk: left behind: $(ls -A "$WORK/full")"
    pass "full disk: the file keeps its bytes, no temporary file is left"
else
    echo "note: not root or no tmpfs mount: the full-disk case is not run"
fi

# A relative HOME is no home: nothing is made under the current folder.
expect_refused "HOME relative" "no home folder" -C "$WORK" -u QUILLMOOR_SETTINGS -u XDG_CONFIG_HOME HOME=relhome
[ ! -e "$WORK/relhome" ] || fail "a relative HOME made a folder under the current one"
