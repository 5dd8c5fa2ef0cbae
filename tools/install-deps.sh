#!/usr/bin/env bash
# Installs the Debian packages Quillmoor needs to build, run and test, if any
# are missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgl-dev libglu1-mesa-dev libosmesa6-dev
  libx11-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev
  xvfb xauth xdotool x11-utils imagemagick xscreensaver
  clang
)
if [ -f "$(dirname "$0")/extra-packages.txt" ]; then
  while read -r name _; do
    case "$name" in ''|'#'*) ;; *) packages+=("$name") ;; esac
  done < "$(dirname "$0")/extra-packages.txt"
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo > /dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
