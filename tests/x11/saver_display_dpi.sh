#!/bin/bash
# With "Xft.dpi: 192" in the resources, the saver's 96-DPI figures double:
# the frame-rate text is drawn twice as high, and a "Mouse Threshold" of 50
# is 100 pixels of travel (90 keeps the saver, 110 ends it with exit code 0).
. "$(dirname "$0")/lib.sh" || exit 1
require xdotool xrdb import convert
start_xvfb
export QUILLMOOR_SETTINGS=$WORK/settings.ini
printf '[Screen Savers]\nMouse Threshold = 50\n' >"$QUILLMOOR_SETTINGS"

# The frame-rate text's colour (0.6, 0.6, 0.5) and the corner it sits in, with
# room for its distance from the corner, which doubles too.
TEXT_COLOUR='#999980'
CORNER=300x120+500+480

# text_height: the least height of the text-coloured pixels in the corner
# over a few frames (a star or a speck may join the text in one of them);
# 0 when no frame shows the text.
text_height() {
    local i least=0 pixels box
    for i in $(seq 40); do
        import -window root "$WORK/corner.png" 2>/dev/null || continue
        read -r pixels box < <(convert "$WORK/corner.png" -crop $CORNER +repage -fuzz 2% -fill white \
            -opaque "$TEXT_COLOUR" -fill black +opaque white -format '%[fx:round(mean*w*h)] %@' info: 2>/dev/null)
        if [ "${pixels:-0}" -ge 30 ]; then
            box=${box#*x}
            box=${box%%+*}
            { [ "$least" = 0 ] || [ "$box" -lt "$least" ]; } && least=$box
            SHOTS=$((SHOTS + 1))
            [ "$SHOTS" -ge 6 ] && break
        fi
        sleep 0.2
    done
    echo "$least"
}

# measure NAME: runs /s, measures the text into the variable NAME and saves
# the corner as NAME.png; a key ends the saver.
measure() {
    xdotool mousemove 400 300
    start SAVER "$QUILLMOOR" /s
    wait_window SaverWindow >/dev/null || fail "no saver window"
    SHOTS=0
    printf -v "$1" '%s' "$(text_height)"
    convert "$WORK/corner.png" -crop $CORNER +repage -scale 400% "$WORK/$1.png" 2>/dev/null
    xdotool key space
    wait_exit "$SAVER" 5
    [ "$RC" = 0 ] || fail "$1: a key gave exit $RC"
}

measure at96
[ "$at96" -gt 0 ] || fail "no frame-rate text at 96 DPI"
echo 'Xft.dpi: 192' | xrdb -merge
measure at192
# Twice as high, give or take the font's hinting at each size.
[ $((100 * at192)) -ge $((170 * at96)) ] && [ $((100 * at192)) -le $((230 * at96)) ] \
    || fail "text $at96 pixels high at 96 DPI, $at192 at 192: not twice"
pass "frame-rate text $at96 pixels high at 96 DPI, $at192 at 192"

xdotool mousemove 400 300
start SAVER "$QUILLMOOR" /s
wait_window SaverWindow >/dev/null || fail "no saver window"
for at in "490 300" "310 390" "400 300"; do
    xdotool mousemove $at
    still_running "$SAVER" 0.3 || fail "192 DPI, threshold 50: 90 pixels (to $at) ended the saver"
done
xdotool mousemove 510 300
wait_exit "$SAVER" 5
[ "$RC" = 0 ] || fail "192 DPI, threshold 50: 110 pixels gave exit $RC"
pass "192 DPI, threshold 50: 90 pixels keep the saver, 110 end it with 0"
