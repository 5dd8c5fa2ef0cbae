#!/usr/bin/env bash
# Builds the Debian package (quillmoor_VERSION_ARCH.deb) in build-package/ (or
# $QUILLMOOR_PACKAGE_DIR) with Debian's own compiler and hardening flags, and
# prints its path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_PACKAGE_DIR:-$top/build-package}
bash "$top/tools/install-deps.sh"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { echo "$(dpkg-buildflags --get "$1") $(dpkg-buildflags --get CPPFLAGS)"; }
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DQUILLMOOR_TESTS=OFF \
  -DCMAKE_C_FLAGS="$(flags CFLAGS)" -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)" > /dev/null
cd "$build"
rm -f quillmoor_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
ls "$build"/quillmoor_*.deb
