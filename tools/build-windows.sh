#!/usr/bin/env bash
# Cross builds the Windows saver, quillmoor.scr, and the Windows test programs
# with mingw-w64: the 64-bit one into build-windows64/ and the 32-bit one into
# build-windows/ (or $QUILLMOOR_WINDOWS_BUILD_DIR and the same name with 64),
# or only the one named. The 32-bit build's installer carries both savers, so
# it is told where the 64-bit one is. Prints each saver's path.
#   bash tools/build-windows.sh [x86_64|i686] [CMAKE-CONFIGURE-ARGUMENTS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
base=${QUILLMOOR_WINDOWS_BUILD_DIR:-$top/build-windows}
targets=(x86_64 i686)
case "${1:-}" in
  x86_64|i686) targets=("$1"); shift ;;
esac

for target in "${targets[@]}"; do
  build=$base
  extra=(-DQUILLMOOR_SAVER64="${base}64/platform/win32/quillmoor.scr")
  [ "$target" = i686 ] || { build=${base}64; extra=(); }
  cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$target-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=${QUILLMOOR_BUILD_TYPE:-Release} "${extra[@]}" "$@" > "$build.configure.log" 2>&1 \
    || { cat "$build.configure.log" >&2; exit 1; }
  cmake --build "$build" -j "$(nproc)" >&2
  echo "$build/platform/win32/quillmoor.scr"
done
