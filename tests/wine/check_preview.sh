# /p <handle>: the preview host (a small Windows program) makes a parent
# window and starts the saver into it; the saver draws, ignores input, and
# ends when the parent is destroyed.
#
# Wine 8 does not compose a GL child window of another process into its
# parent's X window (the parent's area stays as the parent painted it); the
# saver's drawing is read from its own X drawable, the one window of the
# preview's size that is not the parent.
check_preview() {
    local command=$WORK/destroy-parent
    rm -f "$command"
    start HOST wine "$PREVIEW_HOST" "$(winepath -w "$SCR")" "$(winepath -w "$command")"
    local i
    for i in $(seq 300); do
        grep -q '^ready' "$WORK/HOST.out" 2>/dev/null && break
        kill -0 "$HOST" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '^ready' "$WORK/HOST.out" || { stop "$HOST"; fail "/p: $(cat "$WORK/HOST.out")"; return 1; }
    local size
    size=$(sed -n 's/^ready: child \([0-9x]*\) .* parent of \([0-9x]*\) .*/\1 \2/p' "$WORK/HOST.out")
    set -- $size
    [ -n "${1:-}" ] && [ "$1" = "$2" ] || fail "/p: the saver's window does not fill the parent: $(grep ready "$WORK/HOST.out")"

    local drawable= id
    for i in $(seq 80); do
        for id in $(xwininfo -root -tree | awk -v size="$2+" 'index($0, size) && !/PreviewParent/ {print $1}'); do
            import -window "$id" "$ARTIFACTS/preview.png" 2>/dev/null || continue
            [ "$(lit_pixels "$ARTIFACTS/preview.png")" -gt 50 ] && drawable=$id && break 2
        done
        sleep 0.25
    done
    [ -n "$drawable" ] && pass "/p draws inside the parent ($1; $ARTIFACTS/preview.png)" \
        || fail "/p: no drawing of the preview's size $2 found"

    # Input over the preview is the caller's business.
    xdotool mousemove 150 150 click 1 mousemove 300 250 key space
    sleep 1
    touch "$command"
    wait_exit "$HOST" 60
    if [ "$RC" = 0 ]; then
        pass "/p: input did not end it; destroying the parent ended the saver with 0 (none left behind)"
    else
        stop "$HOST"
        fail "/p (exit $RC): $(tr '\n' ' ' <"$WORK/HOST.out")"
    fi
}
