#!/usr/bin/env bash
# The Windows saver under Wine: installs what is missing (32-bit Wine, i386
# Mesa, mingw-w64, NSIS, Xvfb tools), cross builds quillmoor.scr, the Windows
# test programs and the installer, and runs every check in a fresh Wine prefix
# on a private Xvfb.
# Screenshots go to build-windows/wine-artifacts/.
#   bash tests/wine/run.sh [--no-install] [--no-build]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${QUILLMOOR_WINDOWS_BUILD_DIR:-$top/build-windows}
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
    echo "== cross build (mingw-w64, i686)"
    QUILLMOOR_WINDOWS_BUILD_DIR=$build bash "$top/tools/build-windows.sh" >"$build.build.log" 2>&1 \
        || { tail -n 40 "$build.build.log"; echo "cross build failed"; exit 1; }
    cmake --build "$build" --target installer >>"$build.build.log" 2>&1 \
        || { tail -n 20 "$build.build.log"; echo "installer build failed"; exit 1; }
fi
SCR=$build/platform/win32/quillmoor.scr
TESTS_EXE=$build/tests/win32/quillmoor_tests.exe
PREVIEW_HOST=$build/tests/win32/preview_host.exe
PROBE=$build/tests/win32/saver_probe.exe
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
INSTALLER=$build/quillmoor-$VERSION-setup.exe
for program in "$SCR" "$TESTS_EXE" "$PREVIEW_HOST" "$PROBE" "$INSTALLER"; do
    [ -f "$program" ] || { echo "missing $program"; exit 1; }
done

WORK=$(mktemp -d /tmp/quillmoor-wine-XXXXXX)
ARTIFACTS=$build/wine-artifacts
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
. "$here/lib.sh"
trap cleanup EXIT
for check in "$here"/check_*.sh; do
    . "$check"
done

echo "== programs"
check_imports
check_resources
# 32-bit Wine needs a kernel that runs 32-bit x86 programs. Where it runs
# none (IA-32 emulation off) the programs above are still built and checked,
# and the rest is left out, said plainly, unless QUILLMOOR_WINE_EMULATION=1
# runs it all through qemu-i386 (tools/with-i386-emulation.sh; slow: a Wine
# prefix alone takes a quarter of an hour there).
if ! /lib/ld-linux.so.2 --version > /dev/null 2>&1 && [ "${QUILLMOOR_WINE_EMULATION:-0}" != 1 ]; then
    echo "SKIPPED: the checks under Wine: this kernel runs no 32-bit programs" \
        "(i386 execve: $(/lib/ld-linux.so.2 --version 2>&1 | head -n1 | sed 's/.*: //'))." \
        "Run them where it does, or with QUILLMOOR_WINE_EMULATION=1 through qemu-i386."
    echo "== Wine stage: $(($(date +%s) - started)) s, $FAILURES failure(s), Wine checks skipped"
    [ "$FAILURES" = 0 ]
    exit
fi
echo "== Wine prefix and Xvfb"
start_private_xvfb || exit 1
make_prefix || exit 1
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
check_installer
echo "== texture failure"
check_texture_error
echo "== set-up failure"
check_setup_error

echo "== Wine stage: $(($(date +%s) - started)) s, $FAILURES failure(s)"
[ "$FAILURES" = 0 ]
