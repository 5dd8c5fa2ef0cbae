#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build's
# (unit, render, command-line, X11 under Xvfb), then the Windows build's
# under Wine: the 64-bit saver on every amd64 machine, the 32-bit one where
# the kernel runs 32-bit programs and 32-bit Wine installs (otherwise one line
# says why it was left out; QUILLMOOR_WINE_EMULATION=1 runs it through
# qemu-i386 instead, slowly). QUILLMOOR_SKIP_WINE=1 leaves out the Windows
# half.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh" > /dev/null
# The report lists each skipped test with its reason (.ci/check-skips.sh reads it).
(cd "${QUILLMOOR_BUILD_DIR:-$top/build}" && ctest --output-on-failure -j "$(nproc)" --timeout 600 \
  --output-junit ctest-report.xml)

if [ "${QUILLMOOR_SKIP_WINE:-0}" != 1 ]; then
  echo "== Windows: both quillmoor.scr cross built with mingw-w64, checked under Wine"
  bash "$top/tools/install-windows-deps.sh"
  if [ "${QUILLMOOR_WINE_EMULATION:-0}" = 1 ]; then
    bash "$top/tools/with-i386-emulation.sh" bash "$top/tests/wine/run.sh" --no-install
  else
    bash "$top/tests/wine/run.sh" --no-install
  fi
fi
