#!/usr/bin/env bash
# What tools/test-releases.sh runs inside each release's chroot, as root, from
# a clean copy of the repository: it installs what is missing, prints the
# versions of what builds and renders, then runs the whole Linux test suite,
# checks that OSMesa is not installed, renders an offscreen frame, and builds,
# lints, installs, runs and removes the Debian package. Each stage prints its
# time; a failed stage does not stop the later ones, and the run fails at the
# end if any did.
#
#   bash tools/check-release.sh [--windows] [--deb FILE]
#
# --windows also installs what the Windows stage (tests/wine/run.sh) needs and
# prints Wine's version (and whether 32-bit Wine could be installed);
# test-releases.sh runs that stage afterwards, from outside, where it can let
# 32-bit programs run through qemu when asked. --deb FILE also installs and
# runs a package built on another release.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top" || exit 1

windows=0
foreign_deb=
while [ $# -gt 0 ]; do
  case "$1" in
    --windows) windows=1 ;;
    --deb) foreign_deb=$(realpath "${2:?--deb needs a file}"); shift ;;
    *) echo "usage: $0 [--windows] [--deb FILE]" >&2; exit 2 ;;
  esac
  shift
done

release=$(. /etc/os-release && echo "${PRETTY_NAME:-unknown}")
failed=()
# stage NAME COMMAND...: runs one stage, prints its time, remembers a failure.
stage() {
  local name=$1 started=$SECONDS status=0
  shift
  echo "== $name"
  "$@" || status=$?
  if [ "$status" -eq 0 ]; then
    echo "== $name: ok, $((SECONDS - started)) s"
  else
    echo "== $name: FAILED (exit $status), $((SECONDS - started)) s"
    failed+=("$name")
  fi
}

install_packages() {
  bash tools/install-deps.sh || return 1
  [ "$windows" = 0 ] || bash tools/install-windows-deps.sh
}

print_versions() {
  echo "release: $release (debian_version $(cat /etc/debian_version))"
  echo "Mesa:    $(dpkg-query -W -f='${Version}' libgl1-mesa-dri:amd64 2>/dev/null || echo none)"
  echo "GCC:     $(gcc -dumpfullversion)"
  echo "CMake:   $(cmake --version | awk 'NR == 1 {print $3}')"
  if [ "$windows" = 1 ]; then
    echo "Wine:    $(dpkg-query -W -f='${Version}' wine) (wine32:i386 $(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null || echo none))"
    echo "MinGW:   $(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none) x86_64," \
      "$(i686-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none) i686"
  fi
}

linux_suite() { QUILLMOOR_SKIP_WINE=1 bash tools/test.sh && bash .ci/check-skips.sh build/ctest-report.xml; }

# The default build neither needs nor brings OSMesa.
no_osmesa() {
  if dpkg -s libosmesa6 > /dev/null 2>&1; then
    echo "libosmesa6 is installed"
    return 1
  fi
  echo "ok: dpkg -s libosmesa6 fails: not installed"
}

offscreen_frame() {
  local out lit=0
  out=$(mktemp -d)
  build/platform/quillmoor --offscreen --frames 1 --size 320x240 --seed 7 --start 5 --out "$out" \
    && lit=$(convert "$out/frame-0001.png" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:)
  rm -rf "$out"
  echo "frame-0001.png: $lit pixels lit"
  [ "$lit" -gt 20 ]
}

started=$SECONDS
echo "== $release: $(date -u '+%F %T') UTC"
stage "packages" install_packages
print_versions
stage "Linux test suite" linux_suite
stage "no OSMesa" no_osmesa
stage "offscreen frame" offscreen_frame
stage "Debian package built here" bash .ci/package.sh
[ -z "$foreign_deb" ] || stage "package $(basename "$foreign_deb") from elsewhere" bash .ci/package.sh --deb "$foreign_deb"

echo "== $release: $((SECONDS - started)) s in all"
if [ ${#failed[@]} -gt 0 ]; then
  printf '== %s: FAILED: %s\n' "$release" "$(IFS=,; echo "${failed[*]}")"
  exit 1
fi
echo "== $release: every stage passed"
