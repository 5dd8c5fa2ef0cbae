#!/usr/bin/env bash
# Installs what the Windows builds, the installer and the Wine checks need,
# if any of it is missing. Works as root or through sudo.
#
# The amd64 half comes first and must install: both mingw-w64 compilers,
# NSIS, 64-bit Wine with the X libraries and GL loader it loads at run time
# (without them its windows stay black and take no keys, and it says
# nothing), Mesa, Xvfb tools and GoogleTest's sources. That is all the 64-bit
# saver's checks need.
#
# The i386 half (32-bit Wine and its GL and X libraries, for the 32-bit
# saver and the installer) is tried only where the kernel runs 32-bit
# programs. When it cannot be installed (the kernel, or a package the mirror
# cannot give), this says so in one line and exits 0: tests/wine/run.sh then
# leaves the 32-bit checks out and says why.
#   bash tools/install-windows-deps.sh [--list-i386]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

runtime=(libgl1 libglx0 libglx-mesa0 libgl1-mesa-dri
  libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1 libxext6)
amd64=(cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  googletest nsis wine wine64 "${runtime[@]}" xvfb xauth xdotool x11-utils imagemagick)
i386=(wine32:i386 "${runtime[@]/%/:i386}")

if [ "${1:-}" = --list-i386 ]; then
  printf '%s\n' "${i386[@]}"
  exit 0
fi

bash "$here/apt-install-missing.sh" install-windows-deps "${amd64[@]}"
if ! why=$(bash "$here/i386-probe.sh"); then
  echo "install-windows-deps: no 32-bit Wine: $why"
elif ! bash "$here/apt-install-missing.sh" install-windows-deps "${i386[@]}" >&2; then
  echo "install-windows-deps: no 32-bit Wine: the i386 packages could not be installed" \
    "(missing: $(for p in "${i386[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || printf '%s ' "$p"; done))"
fi
