# The programs themselves: they import only DLLs every Windows has, the
# manifest names the build's machine, and the portable and Windows unit tests
# pass on the build's target.

SYSTEM_DLLS="kernel32.dll user32.dll gdi32.dll advapi32.dll opengl32.dll glu32.dll msvcrt.dll"

check_imports() {
    local program dll ok=1
    for program in "$SCR" "$TESTS_EXE" "$PREVIEW_HOST" "$PROBE"; do
        local dlls
        dlls=$("$OBJDUMP" -p "$program" | awk '/DLL Name:/ {print $3}')
        [ -n "$dlls" ] || { fail "$(basename "$program"): objdump lists no imports"; ok=0; continue; }
        for dll in $dlls; do
            grep -qiw -- "$dll" <<<"$SYSTEM_DLLS" || { fail "$(basename "$program") imports $dll"; ok=0; }
        done
        [ "$program" = "$SCR" ] && echo "  $(basename "$program") imports: $(echo $dlls)"
    done
    [ $ok = 1 ] && pass "the programs import only system DLLs"
}

# Wine does not scale for DPI-unaware programs, so the manifest is checked
# where it is: in the .scr's resources, with the version CMake gave them.
check_resources() {
    local version ascii wide machine=x86
    [ "$BITS" = 64 ] && machine=amd64
    ascii=$(strings "$SCR")
    wide=$(strings -el "$SCR")
    version=$(sed -n 's/^project(Quillmoor VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
    while [ "$(tr -cd . <<<"$version" | wc -c)" -lt 2 ]; do version=$version.0; done
    grep -q '<dpiAwareness[^>]*>PerMonitorV2' <<<"$ascii" \
        || { fail "the .scr's manifest does not declare DPI awareness"; return 1; }
    grep -q "assemblyIdentity.*version=\"$version.0\"" <<<"$ascii" \
        || { fail "the manifest's version is not $version.0"; return 1; }
    grep -qx "$version" <<<"$wide" || { fail "the version resource does not hold $version"; return 1; }
    # Windows refuses a program whose manifest (or Common Controls
    # dependency) names another machine; Wine does not check.
    local named
    named=$(grep -o 'processorArchitecture="[^"]*"' <<<"$ascii" | sort | uniq -c | tr -s ' ')
    [ "$named" = " 2 processorArchitecture=\"$machine\"" ] \
        || { fail "the manifest names$named, not $machine twice"; return 1; }
    pass "resources: a DPI-aware manifest for $machine and version $version"
}

# Run from the top of the tree: the texture tests read tests/data from there.
check_unit_tests() {
    if (cd "$top" && wine "$TESTS_EXE" --gtest_brief=1) >"$WORK/unit.out" 2>&1; then
        pass "unit tests on the $BITS-bit target: $(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$WORK/unit.out" | head -n1)"
    else
        tail -n 40 "$WORK/unit.out"
        fail "unit tests under Wine"
    fi
}
