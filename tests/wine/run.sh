#!/usr/bin/env bash
# The Windows savers under Wine: installs what is missing, cross builds both
# savers, the Windows test programs and the installer, and runs the whole
# check list as one table over (build, Wine), each run in a fresh Wine prefix
# on a private Xvfb:
#   64-bit saver   64-bit prefix   every amd64 machine (wine64 alone)
#   32-bit saver   32-bit prefix   where the kernel runs 32-bit programs and
#                                  32-bit Wine is installed
# The installer, a 32-bit program, runs in each prefix whose Wine can run it,
# and installs the saver of the prefix's kind; where none can, the 64-bit
# prefix runs the same script built with NSIS's amd64 stub. A run that cannot
# happen says why in one line. Fails when a check fails or when no build ran
# under Wine.
# Screenshots go to each build's wine-artifacts/.
#   bash tests/wine/run.sh [--no-install] [--no-build]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build32=${QUILLMOOR_WINDOWS_BUILD_DIR:-$top/build-windows}
build64=${build32}64
install=1
compile=1
for arg in "$@"; do
    case "$arg" in
    --no-install) install=0 ;;
    --no-build) compile=0 ;;
    *) echo "usage: $0 [--no-install] [--no-build]" >&2; exit 2 ;;
    esac
done

started=$(date +%s)
[ $install = 1 ] && { bash "$top/tools/install-windows-deps.sh" || exit 1; }
if [ $compile = 1 ]; then
    echo "== cross build (mingw-w64, x86_64 and i686) and the installer"
    QUILLMOOR_WINDOWS_BUILD_DIR=$build32 bash "$top/tools/build-windows.sh" >"$build32.build.log" 2>&1 \
        || { tail -n 40 "$build32.build.log"; echo "cross build failed"; exit 1; }
    cmake --build "$build32" --target installer installer_amd64 >>"$build32.build.log" 2>&1 \
        || { tail -n 20 "$build32.build.log"; echo "installer build failed"; exit 1; }
fi
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build32/CMakeCache.txt")
INSTALLER=$build32/quillmoor-$VERSION-setup.exe
INSTALLER_AMD64=$build32/wine-checks/quillmoor-setup-amd64.exe
for f in "$INSTALLER" "$INSTALLER_AMD64"; do [ -f "$f" ] || { echo "missing $f"; exit 1; }; done

WORK_ROOT=$(mktemp -d /tmp/quillmoor-wine-XXXXXX)
WORK=$WORK_ROOT ARTIFACTS=$WORK_ROOT
. "$here/lib.sh"
trap 'end_run; rm -rf "$WORK_ROOT"' EXIT
for check in "$here"/check_*.sh; do
    . "$check"
done

# Why 32-bit Wine cannot run here (empty when it can).
no_wine32=
if ! no_wine32=$(bash "$top/tools/i386-probe.sh"); then
    :
elif missing=$(for p in $(bash "$top/tools/install-windows-deps.sh" --list-i386); do
        dpkg -s "$p" >/dev/null 2>&1 || printf ' %s' "$p"; done) && [ -n "$missing" ]; then
    no_wine32="not installed:$missing"
fi

# run_checks BITS: the whole check list on one build, in a prefix of its kind.
run_checks() {
    BITS=$1
    local build=$build32 arch=win32 failures_before=$FAILURES passes_before=$PASSES
    [ "$BITS" = 64 ] && { build=$build64; arch=win64; }
    SCR=$build/platform/win32/quillmoor.scr
    TESTS_EXE=$build/tests/win32/quillmoor_tests.exe
    PREVIEW_HOST=$build/tests/win32/preview_host.exe
    PROBE=$build/tests/win32/saver_probe.exe
    OBJDUMP=$([ "$BITS" = 64 ] && echo x86_64 || echo i686)-w64-mingw32-objdump
    local program
    for program in "$SCR" "$TESTS_EXE" "$PREVIEW_HOST" "$PROBE"; do
        [ -f "$program" ] || { fail "missing $program"; return 1; }
    done
    ARTIFACTS=$build/wine-artifacts
    rm -rf "$ARTIFACTS"
    mkdir -p "$ARTIFACTS"
    WORK=$WORK_ROOT/$BITS
    mkdir -p "$WORK"

    echo "== $BITS-bit saver: programs"
    check_imports
    check_resources
    if [ "$BITS" = 32 ] && [ -n "$no_wine32" ]; then
        echo "SKIPPED: the 32-bit saver under Wine: no 32-bit Wine here: $no_wine32"
        return 0
    fi
    echo "== $BITS-bit saver: Wine prefix ($arch) and Xvfb"
    start_private_xvfb || return 1
    make_prefix "$arch" || return 1
    RUN_WINE=$(wine --version 2>/dev/null | tr -d '\r')
    echo "== $BITS-bit saver under $RUN_WINE"
    RUNS_DONE=$((RUNS_DONE + 1))
    echo "== unit tests under Wine"
    check_unit_tests
    echo "== /s"
    check_saver
    echo "== display DPI"
    check_display_dpi
    echo "== /s: what ends it and what does not"
    check_dismissal
    echo "== /c"
    check_config
    echo "== /p"
    check_preview
    check_preview_close
    echo "== bad switches"
    check_bad_input
    echo "== installer"
    local installer=$INSTALLER why="the 32-bit program that ships"
    # Without 32-bit Wine: the same script and savers with NSIS's amd64 stub,
    # for these checks only, which takes the 64-bit Windows branch natively.
    [ -n "$no_wine32" ] && { installer=$INSTALLER_AMD64
        why="the same script with NSIS's amd64 stub (for these checks only), as the 32-bit one cannot run here: $no_wine32"; }
    echo "installer: $(basename "$installer"), $why"
    INSTALLER=$installer check_installer
    echo "== texture failure"
    check_texture_error
    echo "== set-up failure"
    check_setup_error
    echo "== $BITS-bit saver under $RUN_WINE: $((PASSES - passes_before + FAILURES - failures_before)) checks," \
        "$((FAILURES - failures_before)) failure(s)"
}

RUNS_DONE=0
for bits in 64 32; do
    run_checks "$bits"
    end_run
done

echo "== Wine stage: $(($(date +%s) - started)) s, $RUNS_DONE build(s) checked under Wine, $PASSES passed," \
    "$FAILURES failure(s)"
[ "$RUNS_DONE" -gt 0 ] || { echo "FAIL: no build was checked under Wine"; exit 1; }
[ "$FAILURES" = 0 ]
