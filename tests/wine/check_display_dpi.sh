# The saver's pixel figures are at 96 DPI: at a "LogPixels" of 192 the
# frame-rate text is drawn twice as high, and a "Mouse Threshold" of 50 is
# 100 pixels of travel (90 keep the saver, 110 end it with exit code 0).

DPI_KEY='HKCU\Control Panel\Desktop'
DPI_TEXT_COLOUR='#99997f'
DPI_CORNER=300x120+500+480  # the lower right corner, with room for the text's doubled distance at 192

set_log_pixels() {
    wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    timeout 60 wineserver -w
}

# dpi_text_height IMAGE: the least height of the text-coloured pixels in the
# corner over a few frames (a star or a speck may join the text in one of
# them), the last frame in IMAGE; 0 when no frame shows the text.
dpi_text_height() {
    local image=$1 i least=0 shots=0 pixels box
    for i in $(seq 60); do
        import -window root "$WORK/dpi-shot.png" 2>/dev/null || continue
        read -r pixels box < <(convert "$WORK/dpi-shot.png" -crop $DPI_CORNER +repage -fuzz 2% -fill white \
            -opaque "$DPI_TEXT_COLOUR" -fill black +opaque white -format '%[fx:round(mean*w*h)] %@' info: 2>/dev/null)
        if [ "${pixels:-0}" -ge 30 ]; then
            box=${box#*x}
            box=${box%%+*}
            { [ "$least" = 0 ] || [ "$box" -lt "$least" ]; } && least=$box
            shots=$((shots + 1))
            [ "$shots" -ge 6 ] && break
        fi
        sleep 0.25
    done
    convert "$WORK/dpi-shot.png" -crop $DPI_CORNER +repage -scale 400% "$image" 2>/dev/null
    echo "$least"
}

# measure_at DPI: runs /s at that LogPixels; TEXT_HEIGHT is the text's height.
measure_at() {
    set_log_pixels "$1"
    xdotool mousemove 400 300
    start SAVER wine "$SCR" /s
    TEXT_HEIGHT=0
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "LogPixels $1: no saver window"; return 1; }
    TEXT_HEIGHT=$(dpi_text_height "$ARTIFACTS/fps-$1dpi.png")
    xdotool key space
    wait_exit "$SAVER" 20
    [ "$RC" = 0 ] || { stop "$SAVER"; fail "LogPixels $1: a key gave exit $RC"; return 1; }
}

check_display_dpi() {
    wine reg delete "$SAVER_KEY" /f >/dev/null 2>&1
    reg_set "Mouse Threshold" REG_DWORD 50
    local at96 at192 at
    measure_at 96
    at96=$TEXT_HEIGHT
    measure_at 192
    at192=$TEXT_HEIGHT
    # Twice as high, give or take the font's hinting at each size.
    if [ "$at96" -gt 0 ] && [ $((100 * at192)) -ge $((170 * at96)) ] && [ $((100 * at192)) -le $((230 * at96)) ]; then
        pass "frame-rate text $at96 pixels high at LogPixels 96, $at192 at 192 ($ARTIFACTS/fps-96dpi.png, fps-192dpi.png)"
    else
        fail "frame-rate text $at96 pixels high at LogPixels 96, $at192 at 192: not twice (see $ARTIFACTS)"
    fi

    xdotool mousemove 400 300
    start SAVER wine "$SCR" /s
    if wait_window SaverWindow >/dev/null; then
        for at in "490 300" "310 390" "400 300"; do
            xdotool mousemove $at
            still_running "$SAVER" 0.5 || { fail "LogPixels 192, threshold 50: 90 pixels (to $at) ended the saver"; break; }
        done
        xdotool mousemove 510 300
        wait_exit "$SAVER" 20
        [ "$RC" = 0 ] && pass "LogPixels 192, threshold 50: 90 pixels keep the saver, 110 end it with 0" \
            || { stop "$SAVER"; fail "LogPixels 192, threshold 50: 110 pixels gave exit $RC"; }
    else
        stop "$SAVER"
        fail "LogPixels 192: no saver window"
    fi
    wine reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1
    wine reg delete "$SAVER_KEY" /f >/dev/null 2>&1
    timeout 60 wineserver -w
}
