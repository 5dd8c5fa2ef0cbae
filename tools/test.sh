#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
bash "$top/tools/build.sh" > /dev/null
cd "${QUILLMOOR_BUILD_DIR:-$top/build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
