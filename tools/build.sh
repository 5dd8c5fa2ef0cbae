#!/usr/bin/env bash
# Configures and builds Quillmoor into build/ (or $QUILLMOOR_BUILD_DIR).
# Extra arguments go to cmake's configure step.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=${QUILLMOOR_BUILD_TYPE:-RelWithDebInfo} "$@" > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)"
