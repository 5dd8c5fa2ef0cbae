#!/usr/bin/env bash
# Cross builds the 32-bit Windows saver, quillmoor.scr, and the Windows test
# program into build-windows/ (or $QUILLMOOR_WINDOWS_BUILD_DIR) with mingw-w64.
# Extra arguments go to cmake's configure step.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_WINDOWS_BUILD_DIR:-$top/build-windows}
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/i686-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=${QUILLMOOR_BUILD_TYPE:-Release} "$@" > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)"
echo "$build/platform/win32/quillmoor.scr"
