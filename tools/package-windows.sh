#!/usr/bin/env bash
# Builds the Windows installer, build-windows/quillmoor-VERSION-setup.exe (or
# in $QUILLMOOR_WINDOWS_BUILD_DIR): installs what is missing, cross builds
# both savers (tools/build-windows.sh, which takes any extra configure
# arguments) and packs them with NSIS. Prints the installer's path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_WINDOWS_BUILD_DIR:-$top/build-windows}
bash "$top/tools/install-windows-deps.sh"
QUILLMOOR_WINDOWS_BUILD_DIR=$build bash "$top/tools/build-windows.sh" "$@" > /dev/null
cmake --build "$build" --target installer > /dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
echo "$build/quillmoor-$version-setup.exe"
