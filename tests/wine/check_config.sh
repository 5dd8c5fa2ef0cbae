# /c: the dialog shows; Cancel leaves no own key, OK creates it, empty. With
# no window manager under Xvfb keys may not reach the dialog: the buttons are
# clicked where the template puts them, scaled to the dialog's size.

OWN_KEY='HKCU\Software\Orvel\Quillmoor'
# Template 104: 186 x 62 dialog units; OK centred at (63, 43), Cancel at (123, 43).
DIALOG_UNITS=(186 62)

# click_button X-UNITS Y-UNITS: clicks there in the dialog, if it is up.
config_click() {
    local window=$1 x=$2 y=$3 geometry position size
    geometry=$(xdotool getwindowgeometry "$window") || return 1
    position=$(awk '/Position/ {print $2}' <<<"$geometry")
    size=$(awk '/Geometry/ {print $2}' <<<"$geometry")
    local left=${position%,*} top=${position#*,} width=${size%x*} height=${size#*x}
    xdotool mousemove $((left + width * x / DIALOG_UNITS[0])) $((top + height * y / DIALOG_UNITS[1])) click 1
}

config_run() {
    local button=$1 x=$2 window
    start CONFIG wine "$SCR" /c
    window=$(wait_window Quillmoor) || { stop "$CONFIG"; fail "/c: no dialog named Quillmoor"; return 1; }
    sleep 0.5
    [ "$button" = Cancel ] && import -window "$window" "$ARTIFACTS/config-dialog.png" 2>/dev/null
    config_click "$window" "$x" 43
    wait_exit "$CONFIG" 20
    [ "$RC" = 0 ] || { stop "$CONFIG"; fail "/c, $button: exit $RC"; return 1; }
}

check_config() {
    wine reg delete "$OWN_KEY" /f >/dev/null 2>&1
    config_run Cancel 123 || return 1
    if wine reg query "$OWN_KEY" >/dev/null 2>&1; then
        fail "Cancel created $OWN_KEY"
    else
        pass "/c shows the dialog ($ARTIFACTS/config-dialog.png); Cancel ends it with 0 and creates no key"
    fi
    config_run OK 63 || return 1
    local listing
    if ! listing=$(wine reg query "$OWN_KEY" 2>/dev/null); then
        fail "OK did not create $OWN_KEY"
    elif grep -q 'REG_' <<<"$listing"; then
        fail "OK wrote values into $OWN_KEY: $listing"
    else
        pass "OK ends it with 0 and creates $OWN_KEY, holding no values"
    fi
}
