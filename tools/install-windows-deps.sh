#!/usr/bin/env bash
# Installs what the Windows build, its installer and its Wine tests need, if
# any of it is missing: the i686 mingw-w64 compilers, NSIS, 32-bit Wine with
# the i386 Mesa GL libraries (without them Wine has no OpenGL and says
# nothing), Xvfb tools and GoogleTest's sources. Works as root or through sudo.
set -euo pipefail

packages=(
  cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest nsis
  wine wine32:i386 libgl1:i386 libglx0:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  libxcomposite1:i386
  xvfb xauth xdotool x11-utils imagemagick
)
bash "$(dirname "$0")/apt-install-missing.sh" install-windows-deps "${packages[@]}"
