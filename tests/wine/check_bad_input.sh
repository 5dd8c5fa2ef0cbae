# Switches that show nothing end at once without a crash: unknown switches
# (the .scr takes the standard ones only, so no --help either), the password
# change (which Wine does not provide) and a dialog whose owner is not a
# window with 0, a preview whose parent is not a window with 1.
check_bad_input() {
    local args expected
    while read -r expected args; do
        start ODD wine "$SCR" $args
        wait_exit "$ODD" 30
        if [ "$RC" = running ]; then
            stop "$ODD"
            fail "'$args' is still running"
        elif [ "$RC" != "$expected" ]; then
            fail "'$args': exit $RC, expected $expected"
        else
            pass "'$args' ends with $RC"
        fi
    done <<'LIST'
0 /x
0 /a
0 /c:12345
0 --help
1 /p 12345
1 /p
LIST
    xdotool search --name '^SaverWindow$' >/dev/null 2>&1 && fail "a saver window was left behind"
    return 0
}
