#!/bin/bash
# The Wayland host under headless sway with two 1280x720 outputs, run as an
# unprivileged user (sway will not run as root): one session at scale 1 and
# one at scale 2, each case a row of the table at the end.
#
#   sway_session.sh QUILLMOOR VIRTUAL_POINTER
#
# QUILLMOOR_WAYLAND_SHOTS=DIR keeps the grim captures there, to look at.
set -u
SKIP=77
[ $# -eq 2 ] || { echo "usage: $0 path/to/quillmoor path/to/wayland_virtual_pointer"; exit 2; }
WORK=$(mktemp -d /tmp/quillmoor-wayland-XXXXXX)
chmod 755 "$WORK"
STARTED_PIDS=()
SWAY_PID=
BACKGROUND='#2060c0'

skip() { echo "SKIP: $*"; rm -rf "$WORK"; exit $SKIP; }
fail() {
    echo "FAIL: $*"
    local log
    for log in "$WORK"/*.err "$WORK"/sway.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 15 "$log"; }
    done
    keep_shots
    exit 1
}
pass() { echo "ok: $*"; }
keep_shots() {
    [ -n "${QUILLMOOR_WAYLAND_SHOTS:-}" ] || return 0
    mkdir -p "$QUILLMOOR_WAYLAND_SHOTS"
    cp "$WORK"/shots/*.png "$QUILLMOOR_WAYLAND_SHOTS"/ 2>/dev/null
}

for tool in sway swaymsg grim wtype convert setpriv; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

. "$(dirname "$0")/../support/processes.sh"

cleanup() {
    local pid
    for pid in "${STARTED_PIDS[@]}" $SWAY_PID; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${STARTED_PIDS[@]}" $SWAY_PID; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# Copies the unprivileged user can run.
mkdir -p "$WORK/bin" "$WORK/shots"
cp "$1" "$WORK/bin/quillmoor"
cp "$2" "$WORK/bin/virtual_pointer"
chmod 755 "$WORK/bin" "$WORK/bin"/*
chmod 777 "$WORK/shots"
RUNTIME=$WORK/runtime

# as_user_exec COMMAND...: becomes the command, run as nobody when this runs
# as root, in the session's environment (the compositor's sockets once it
# has them). In the background its pid is the command's own. as_user runs
# it in a subshell.
as_user_exec() {
    local drop=() session=()
    [ "$(id -u)" = 0 ] && drop=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    [ -n "${WAYLAND:-}" ] && session+=(WAYLAND_DISPLAY="$WAYLAND")
    [ -n "${SWAYSOCK:-}" ] && session+=(SWAYSOCK="$SWAYSOCK")
    cd / && exec "${drop[@]}" env -i PATH="$PATH" HOME="$WORK" XDG_RUNTIME_DIR="$RUNTIME" "${session[@]}" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" QUILLMOOR_SETTINGS="$WORK/settings.ini" "$@"
}
as_user() { (as_user_exec "$@"); }

# start_sway SCALE: a fresh compositor, its socket names in WAYLAND and SWAYSOCK,
# with a pointer device on its seat (a headless seat has none).
start_sway() {
    stop_sway
    WAYLAND= SWAYSOCK=
    rm -rf "$RUNTIME"
    mkdir -m 700 "$RUNTIME"
    [ "$(id -u)" = 0 ] && chown 65534:65534 "$RUNTIME"
    cat >"$WORK/sway.conf" <<CONF
output HEADLESS-1 mode 1280x720 position 0 0 scale $1 bg $BACKGROUND solid_color
output HEADLESS-2 mode 1280x720 position $((1280 / $1)) 0 scale $1 bg $BACKGROUND solid_color
CONF
    chmod 644 "$WORK/sway.conf"
    as_user_exec env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 WLR_HEADLESS_OUTPUTS=2 \
        sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
    SWAY_PID=$!
    # A compositor that cannot start here (a chroot without what it needs)
    # says nothing about the saver: its log shows why.
    wait_for '[ -n "$(ls "$RUNTIME" 2>/dev/null | grep -m1 "^sway-ipc")" ]' 15 \
        || { tail -n 5 "$WORK/sway.log"; skip "sway did not start"; }
    WAYLAND=$(ls "$RUNTIME" | grep -m1 '^wayland-[0-9]*$')
    SWAYSOCK=$RUNTIME/$(ls "$RUNTIME" | grep -m1 '^sway-ipc')
    start POINTER as_user_exec "$WORK/bin/virtual_pointer"
    wait_for 'grep -q ready "$WORK/POINTER.out"' 10 || fail "no virtual pointer"
    SWAY_VERSION=$(as_user swaymsg -t get_version -p 2>/dev/null | head -n1)
}

stop_sway() {
    [ -n "$SWAY_PID" ] && { kill "$SWAY_PID" 2>/dev/null; wait "$SWAY_PID" 2>/dev/null; }
    SWAY_PID=
}

# saver ARGS...: starts quillmoor as the user; SAVER is its pid. Waits for
# an output to show nothing of the background; COVERED is that output (a
# window opens on the focused one, which need not be HEADLESS-1).
covered_output() {
    local output
    for output in 1 2; do
        [ "$(background_pixels $output)" = 0 ] && { COVERED=$output; return 0; }
    done
    return 1
}
saver() {
    start SAVER as_user_exec "$WORK/bin/quillmoor" "$@"
    sleep 1
    wait_for 'kill -0 $SAVER 2>/dev/null && covered_output' 15 \
        || fail "quillmoor $* never covered an output"
}

# shot OUTPUT: captures HEADLESS-OUTPUT into $WORK/shots/NAME.png, prints the path.
shot() {
    local file=$WORK/shots/out$1-$(date +%s%N).png
    as_user grim -o "HEADLESS-$1" "$file" 2>/dev/null
    echo "$file"
}
background_pixels() {
    convert "$(shot "$1")" -fill black +opaque "$BACKGROUND" -fill white -opaque "$BACKGROUND" \
        -format '%[fx:round(mean*w*h)]' info: 2>/dev/null || echo error
}
# The lit pixels of an image, and those left after erosion: points (stars,
# thin text strokes) vanish, solid shapes (the models) remain.
lit_pixels() { convert "$1" -threshold 8% -format '%[fx:round(mean*w*h)]' info:; }
solid_pixels() { convert "$1" -threshold 8% -morphology Erode Square:1 -format '%[fx:round(mean*w*h)]' info:; }
# The frame-rate text's height: in the picture's lower right corner (its
# distance from the corner doubles with the scale too), from the first to the
# last row with at least four bright pixels.
text_height() {
    convert "$1" -gravity southeast -crop 45%x15%+0+0 +repage -threshold 40% -negate -compress none pbm:- \
        | awk 'NR == 2 {w = $1; next} NR > 2 {for (i = 1; i <= NF; i++) {c++; s += $i; if (c == w) {row++; if (s >= 4) {if (!first) first = row; last = row} c = 0; s = 0}}}
               END {print (first ? last - first + 1 : 0)}'
}

ended_with() {  # ended_with CODE SECONDS WHAT
    wait_exit "$SAVER" "$2"
    [ "$RC" = "$1" ] || fail "$3: exit $RC, not $1"
}

# Without a compositor, and for the X11 modes without X: a clear message, exit 1.
case_missing_compositor() {
    local row rc
    for row in "/s|cannot connect to the Wayland compositor 'wayland-none'" "-root|Wayland session has no X display"; do
        WAYLAND=wayland-none as_user "$WORK/bin/quillmoor" "${row%%|*}" 2>"$WORK/missing.err"
        rc=$?
        [ $rc = 1 ] && grep -q "${row#*|}" "$WORK/missing.err" \
            || fail "${row%%|*} with neither: exit $rc, $(cat "$WORK/missing.err")"
    done
}

case_covers_outputs() {
    saver /s
    sleep 3
    # The outputs are the same size, so the show takes the one the compositor
    # announced first, which need not be HEADLESS-1 (sway 1.12 gives 2 first):
    # one output has the show, the other is black.
    local one two show=1
    [ "$(background_pixels 1)$(background_pixels 2)" = 00 ] || fail "the desktop shows on an output"
    [ "$(lit_pixels "$(shot 1)")" = 0 ] && show=2
    one=$(shot $show)
    two=$(shot $((3 - show)))
    [ "$(lit_pixels "$two")" = 0 ] || fail "the output without the show is not black"
    [ "$(lit_pixels "$one")" -gt 300 ] || fail "no stars on output $show ($(lit_pixels "$one") lit)"
    [ "$(solid_pixels "$one")" -gt 30 ] || fail "no models on output $show ($(solid_pixels "$one") solid)"
    # The glow or a model passing by may light the text's corner for a
    # moment: the least height of a few captures is the text's.
    local height=0 each i
    for i in 1 2 3 4 5; do
        each=$(text_height "$(shot $show)")
        [ "$each" -ge 6 ] && { [ "$height" = 0 ] || [ "$each" -lt "$height" ]; } && height=$each
        sleep 0.5
    done
    [ "$height" -ge 6 ] || fail "no frame-rate text"
    eval "TEXT_AT_$SCALE=$height"
    echo "   scale $SCALE: text $height rows high, $(lit_pixels "$one") pixels lit, $(solid_pixels "$one") solid"
    # wtype's keyboard joins the seat first: the key comes once the saver has it.
    as_user wtype -s 300 -k space || fail "wtype failed"
    ended_with 0 5 "a key"
}

case_pointer_threshold() {
    saver /s
    # The first move lets the pointer enter; below the threshold (50, in
    # logical pixels at any scale) it stays, beyond it it ends.
    as_user swaymsg seat - cursor move 1 0 >/dev/null
    as_user swaymsg seat - cursor move 10 0 >/dev/null
    still_running "$SAVER" 1 || fail "travel of 11 pixels ended it"
    as_user swaymsg seat - cursor move 50 0 >/dev/null || fail "swaymsg refused the move"
    ended_with 0 5 "travel beyond the threshold"
}

case_activation_lost() {
    saver /s
    as_user swaymsg workspace 9 >/dev/null || fail "swaymsg refused the workspace"
    ended_with 0 5 "losing the activation"
}

case_window() {
    saver -window
    sleep 2
    as_user swaymsg -t get_tree | grep -q '"app_id": "quillmoor"' || fail "no window"
    # The desktop is blue and the title bar too: a window that drew is black
    # with stars over most of the output.
    local dark
    dark=$(convert "$(shot $COVERED)" -threshold 8% -negate -format '%[fx:round(mean*100)]' info:)
    [ "$dark" -gt 60 ] || fail "-window drew nothing (only $dark% of the output is dark)"
    as_user swaymsg '[app_id=quillmoor] kill' >/dev/null || fail "swaymsg refused to close it"
    ended_with 0 5 "closing the window"
}

case_compositor_gone() {
    saver /s
    stop_sway
    ended_with 1 10 "the compositor gone"
    grep -q "lost the connection to the Wayland compositor" "$WORK/SAVER.err" || fail "the compositor gone: no message"
}

# scale  case                      what it proves
cases=(
    "1 case_missing_compositor     no compositor, or -root without X: a clear message, exit 1"
    "1 case_covers_outputs         /s covers both outputs (stars, models and text on one, black on the other); a key ends it with 0"
    "1 case_pointer_threshold      pointer travel below the threshold keeps /s, beyond ends it with 0"
    "1 case_activation_lost        losing the activation ends /s with 0"
    "1 case_window                 -window draws in a window that closes on request with 0"
    "2 case_covers_outputs         at scale 2 as well, with the text twice as tall"
    "2 case_pointer_threshold      at scale 2 the threshold is the same travel"
    "2 case_compositor_gone        the compositor going away ends the run: message, exit 1"
)
SCALE=0
for row in "${cases[@]}"; do
    read -r scale name what <<<"$row"
    if [ "$scale" != "$SCALE" ]; then
        SCALE=$scale
        start_sway "$SCALE"
        echo "   sway: $SWAY_VERSION, scale $SCALE"
    fi
    [ -z "$SWAY_PID" ] && start_sway "$SCALE"
    "$name"
    pass "$what"
done
ratio=$(awk -v a="$TEXT_AT_1" -v b="$TEXT_AT_2" 'BEGIN {print (b >= 1.7 * a && b <= 2.3 * a) ? "yes" : "no"}')
[ "$ratio" = yes ] || fail "the text is $TEXT_AT_1 rows high at scale 1 and $TEXT_AT_2 at scale 2"
pass "the frame-rate text is $TEXT_AT_1 rows high at scale 1, $TEXT_AT_2 at scale 2"
keep_shots
