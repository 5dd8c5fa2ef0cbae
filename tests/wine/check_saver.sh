# /s: full screen with the frame rate in the lower right, dismissed by a key,
# a mouse button, or cursor travel beyond "Mouse Threshold" (stored as a
# number or as text), each with exit code 0.

# The frame-rate text's colour (0.6, 0.6, 0.5) and the corner it sits in.
TEXT_COLOUR='#99997f'
CORNER=200x60+600+540

# saver_until_moved TYPE: "Mouse Threshold" 40 stored as TYPE; travel of
# exactly 40 on each axis keeps the saver, 41 ends it.
saver_until_moved() {
    local type=$1 beyond=$2 at
    reg_set "Mouse Threshold" "$type" 40
    xdotool mousemove 400 300
    start SAVER wine "$SCR" /s
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "$type: no saver window"; return 1; }
    for at in "440 340" "360 260" "440 260" "400 300"; do
        xdotool mousemove $at
        still_running "$SAVER" 0.5 || { fail "$type: moving to $at (exactly the threshold) ended the saver"; return 1; }
    done
    xdotool mousemove $beyond
    wait_exit "$SAVER" 20
    [ "$RC" = 0 ] || { stop "$SAVER"; fail "$type threshold 40: moving to $beyond gave exit $RC"; return 1; }
    pass "threshold 40 as $type held at 40 pixels; $beyond ends it with 0"
}

check_saver() {
    wine reg delete "$SAVER_KEY" /f >/dev/null 2>&1
    xdotool mousemove 400 300
    start SAVER wine "$SCR" /s
    local window
    window=$(wait_window SaverWindow) || { stop "$SAVER"; fail "/s: no window named SaverWindow"; return 1; }
    local size
    size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
    [ "$size" = 800x600 ] || fail "/s: the window is $size, not the screen's 800x600"
    wait_lit "$ARTIFACTS/saver.png" 30 || { stop "$SAVER"; fail "/s: the screen stays black"; return 1; }
    pass "/s draws full screen ($size, $LIT pixels lit)"

    # The frame-rate text: more text-coloured pixels than stars give, over a
    # width no star has.
    local i found=
    for i in $(seq 40); do
        import -window root "$WORK/corner.png" 2>/dev/null
        set -- $(convert "$WORK/corner.png" -crop $CORNER +repage -fuzz 15% -fill white -opaque "$TEXT_COLOUR" \
                 -fill black +opaque white -format '%[fx:round(mean*w*h)] %@' info: 2>/dev/null)
        found="${1:-0} pixels over ${2%%+*}"
        [ "${1:-0}" -ge 60 ] && [ "${2%%x*}" -ge 30 ] 2>/dev/null && break
        found=
        sleep 0.25
    done
    convert "$WORK/corner.png" -crop $CORNER +repage -scale 400% "$ARTIFACTS/fps-corner.png" 2>/dev/null
    if [ -n "$found" ]; then
        pass "/s: frame-rate text in the lower right, $found ($ARTIFACTS/fps-corner.png)"
    else
        fail "/s: no frame-rate text in the lower right (see $ARTIFACTS/fps-corner.png)"
    fi

    # A key, after a "Password Delay" of 0: the close passes the system's
    # password check (Wine reports NT, which has none).
    stop "$SAVER"
    reg_set "Password Delay" REG_DWORD 0
    start SAVER wine "$SCR" /s
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "/s (key): no saver window"; return 1; }
    still_running "$SAVER" 0.5
    xdotool key space
    wait_exit "$SAVER" 20
    [ "$RC" = 0 ] && pass "a key ends /s with exit code 0 (password check on NT: none)" \
        || { stop "$SAVER"; fail "a key press: exit $RC"; }
    wine reg delete "$SAVER_KEY" /v "Password Delay" /f >/dev/null 2>&1

    start SAVER wine "$SCR" /s
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "/s (click): no saver window"; return 1; }
    still_running "$SAVER" 0.5
    xdotool click 3
    wait_exit "$SAVER" 20
    [ "$RC" = 0 ] && pass "a mouse button ends /s with exit code 0" || { stop "$SAVER"; fail "a click: exit $RC"; }

    saver_until_moved REG_DWORD "441 300"
    # Read as its bytes, the text "40" would be a threshold of 12340.
    saver_until_moved REG_SZ "400 259"
    wine reg delete "$SAVER_KEY" /f >/dev/null 2>&1
}
