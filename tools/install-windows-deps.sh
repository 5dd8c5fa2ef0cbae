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
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo > /dev/null || { echo "install-windows-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
echo "install-windows-deps: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
