# The installer: a silent install puts the saver of the prefix's kind into
# its system32 and an uninstall entry into the registry view of that kind,
# without touching the user's choice of saver; in a 64-bit prefix it takes
# away what the previous installer left (the 32-bit saver in syswow64, its
# uninstaller and entry) and moves the user's choice of that saver to the
# new one; the installed saver runs; a silent uninstall takes it all away.

DESKTOP_KEY='HKCU\Control Panel\Desktop'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmoor'

# installed_value NAME: a value of the uninstall entry, from the last query.
installed_value() {
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p" "$WORK/entry.txt"
}

check_installer() {
    strings -el "$INSTALLER" | grep -qx "$VERSION" \
        || fail "the installer's version resource does not hold $VERSION"

    local folder=system32 view=/reg:$BITS
    local scr=$WINEPREFIX/drive_c/windows/$folder/quillmoor.scr
    local old=$WINEPREFIX/drive_c/windows/syswow64/quillmoor.scr oldDir="$WINEPREFIX/drive_c/Program Files (x86)/Quillmoor"
    if [ "$BITS" = 64 ]; then
        mkdir -p "$oldDir"
        cp "$build32/platform/win32/quillmoor.scr" "$old"
        cp "$INSTALLER" "$oldDir/uninstall.exe"
        wine reg add "$UNINSTALL_KEY" /v DisplayName /d Quillmoor /f /reg:32 >/dev/null 2>&1
        wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d 'C:\windows\SysWOW64\quillmoor.scr' /f >/dev/null 2>&1
    fi

    start SETUP wine "$INSTALLER" /S
    wait_exit "$SETUP" 60
    [ "$RC" = 0 ] || { stop "$SETUP"; fail "setup /S: exit $RC"; return 1; }
    cmp -s "$SCR" "$scr" || { fail "setup /S: no quillmoor.scr in $folder"; return 1; }
    local chosen
    chosen=$(wine reg query "$DESKTOP_KEY" /v SCRNSAVE.EXE 2>/dev/null | tr -d '\r' | sed -n 's/^ *SCRNSAVE.EXE *REG_SZ *//p')
    if [ "$BITS" = 32 ] && [ -n "$chosen" ]; then
        fail "setup /S chose a screen saver for the user"
    fi
    if [ "$BITS" = 64 ]; then
        local left=
        [ -e "$old" ] && left+=" syswow64\\quillmoor.scr"
        [ -e "$oldDir" ] && left+=" Program Files (x86)\\Quillmoor"
        wine reg query "$UNINSTALL_KEY" /reg:32 >/dev/null 2>&1 && left+=" the 32-bit view's entry"
        [ "${chosen,,}" = 'c:\windows\system32\quillmoor.scr' ] || left+=" the user's saver ($chosen)"
        [ -z "$left" ] && pass "setup /S took away the previous installation" \
            || fail "setup /S left the previous installation's:$left"
    fi
    wine reg query "$UNINSTALL_KEY" $view 2>/dev/null | tr -d '\r' >"$WORK/entry.txt"
    local name expected value bad=
    while read -r name expected; do
        value=$(installed_value "$name")
        # Paths in any letter case.
        [ "$name" = DisplayIcon ] && { value=${value,,}; expected=${expected,,}; }
        [ "$value" = "$expected" ] || bad+=" $name='$value'"
    done <<LIST
DisplayName Quillmoor
DisplayVersion $VERSION
Publisher Orvel
DisplayIcon C:\\windows\\$folder\\quillmoor.scr,0
QuietUninstallString $(installed_value UninstallString) /S
NoModify 0x1
NoRepair 0x1
LIST
    [ $(($(installed_value EstimatedSize))) -ge $(($(stat -c %s "$SCR") / 1024)) ] || bad+=" EstimatedSize"
    local uninstaller
    uninstaller=$(winepath -u "$(installed_value UninstallString | tr -d '"')" 2>/dev/null)
    [ -f "$uninstaller" ] || bad+=" UninstallString (no such file)"
    case "$uninstaller" in */c:/"Program Files"/Quillmoor/uninstall.exe) ;;
        *) bad+=" UninstallString (not in the $BITS-bit Program Files)" ;; esac
    # The licence travels with the program, beside its uninstaller.
    cmp -s "$(dirname "$uninstaller")/LICENSE.txt" "$top/LICENSE" || bad+=" LICENSE.txt beside the uninstaller"
    [ -z "$bad" ] || { cat "$WORK/entry.txt"; fail "uninstall entry:$bad"; return 1; }
    pass "setup /S: the $BITS-bit quillmoor.scr in $folder, uninstall entry for $VERSION in the $BITS-bit view"

    # The installed saver, started as the system starts it.
    start SAVER wine "C:\\windows\\$folder\\quillmoor.scr" /s
    wait_window SaverWindow >/dev/null || { stop "$SAVER"; fail "installed /s: no saver window"; return 1; }
    wait_lit "$ARTIFACTS/installed-saver.png" 30 || { stop "$SAVER"; fail "installed /s: the screen stays black"; return 1; }
    xdotool key space
    wait_exit "$SAVER" 20
    [ "$RC" = 0 ] || { stop "$SAVER"; fail "installed /s: a key gives exit $RC"; return 1; }
    pass "the installed saver draws ($LIT pixels lit) and a key ends it with 0"

    # The uninstaller runs from a copy of itself and returns at once: wait for
    # its folder, the last thing it removes, to go.
    local folderOfUninstaller i
    folderOfUninstaller=$(dirname "$uninstaller")
    wine "$uninstaller" /S || { fail "uninstall /S: exit $?"; return 1; }
    for i in $(seq 300); do
        [ -e "$folderOfUninstaller" ] || break
        sleep 0.1
    done
    bad=
    [ -e "$scr" ] && bad+=" quillmoor.scr"
    [ -e "$folderOfUninstaller" ] && bad+=" $(ls "$folderOfUninstaller")"
    wine reg query "$UNINSTALL_KEY" $view >/dev/null 2>&1 && bad+=" the uninstall entry"
    [ -z "$bad" ] && pass "uninstall /S removes the saver, the uninstaller and the entry" \
        || fail "uninstall /S left:$bad"
}
