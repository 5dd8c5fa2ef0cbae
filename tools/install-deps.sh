#!/usr/bin/env bash
# Installs the Debian packages Quillmoor needs to build, run and test, if any
# are missing, on Debian 12, 13, testing or sid. Works as root or through sudo.
#
#   bash tools/install-deps.sh [--osmesa]
#
# --osmesa (or QUILLMOOR_OSMESA=ON in the environment) adds OSMesa's headers
# for a build with -DQUILLMOOR_OSMESA=ON. Mesa dropped OSMesa in 25.1: on a
# release without it this stops with a message instead of a failed install.
set -euo pipefail
here=$(dirname "$0")

osmesa=0
case "${QUILLMOOR_OSMESA:-OFF}" in 1|ON|on|yes|YES|true|TRUE) osmesa=1 ;; esac
for arg in "$@"; do
  case "$arg" in
    --osmesa) osmesa=1 ;;
    *) echo "usage: $0 [--osmesa]" >&2; exit 2 ;;
  esac
done

packages=(
  build-essential cmake pkg-config
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libx11-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils procps imagemagick xscreensaver
  libwayland-dev wayland-protocols libwayland-bin
  sway grim wtype swayidle
  # 32-bit programs through qemu where the kernel runs none (tools/with-i386-emulation.sh)
  qemu-user-static
)
if [ "$osmesa" = 1 ]; then
  # Asked before anything is installed, so the lists may still be empty.
  if ! compgen -G '/var/lib/apt/lists/*_Packages*' > /dev/null; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    # A mirror mid-sync may fail an index that apt-cache does not need here.
    "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq \
      || echo "install-deps: apt-get update failed; asking apt about libosmesa6-dev anyway" >&2
  fi
  candidate=$(apt-cache policy libosmesa6-dev 2>/dev/null | awk '/Candidate:/ {print $2}')
  if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then
    echo "install-deps: this release has no libosmesa6-dev (Mesa 25.1 removed OSMesa);" \
      "build without -DQUILLMOOR_OSMESA=ON" >&2
    exit 1
  fi
  packages+=(libosmesa6-dev)
fi
if [ -f "$here/extra-packages.txt" ]; then
  while read -r name _; do
    case "$name" in ''|'#'*) ;; *) packages+=("$name") ;; esac
  done < "$here/extra-packages.txt"
fi

bash "$here/apt-install-missing.sh" install-deps "${packages[@]}"
