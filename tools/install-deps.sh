#!/usr/bin/env bash
# Installs the Debian packages Quillmoor needs to build, run and test, if any
# are missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0
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

bash "$(dirname "$0")/apt-install-missing.sh" install-deps "${packages[@]}"
