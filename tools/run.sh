#!/usr/bin/env bash
# Installs what is missing, builds, and runs the saver: in a window on a
# Wayland session or an X display, otherwise offscreen, writing frames to PNG
# files.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh" > /dev/null
quillmoor="${QUILLMOOR_BUILD_DIR:-$top/build}/platform/quillmoor"

if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/$WAYLAND_DISPLAY" -o -S "$WAYLAND_DISPLAY" ]; then
  echo "Quillmoor in a Wayland window: close it to stop."
  exec "$quillmoor" -window "$@"
fi
if [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1; then
  echo "Quillmoor in a window: close it to stop."
  exec "$quillmoor" -window "$@"
fi
out="${QUILLMOOR_BUILD_DIR:-$top/build}/frames"
echo "No display: rendering 10 seconds of the show offscreen."
exec "$quillmoor" --offscreen --frames 250 --step 40 --size 800x600 --out "$out" "$@"
