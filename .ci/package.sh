#!/usr/bin/env bash
# CI: the Debian package builds and passes lintian; `apt-get install
# ./quillmoor_*.deb` installs it; the installed program renders offscreen and
# runs under the xscreensaver daemon; its description, desktop entry and
# manual page check out; removing it leaves nothing behind.
#   .ci/package.sh [--deb FILE]
# --deb checks a package built elsewhere (another release's) instead of
# building one; lintian, which judges a package against the release that
# built it, is then left out.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
given_deb=
case "${1:-}" in
  '') ;;
  --deb) given_deb=$(realpath "${2:?--deb needs a file}") ;;
  *) echo "usage: $0 [--deb FILE]" >&2; exit 2 ;;
esac
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
apt_get() { DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"; }

bash "$top/tools/apt-install-missing.sh" package-check lintian libxml2-utils man-db groff-base desktop-file-utils

work=$(mktemp -d)
chmod 755 "$work"
installed=
cleanup() {
  [ -n "$installed" ] && apt_get purge -y -qq quillmoor > /dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -n "$given_deb" ]; then
  echo "== package (built elsewhere)"
  deb=$given_deb
else
  echo "== package"
  deb=$(bash tools/package.sh | tail -n 1)
fi
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): Depends: $depends"
grep -qi osmesa <<< "$depends" && fail "the package depends on OSMesa"

if [ -z "$given_deb" ]; then
  echo "== lintian $(lintian --print-version)"
  lintian_status=0
  lintian --fail-on error --display-info "$deb" > "$work/lintian" 2>&1 || lintian_status=$?
  grep -v 'running with root privileges' "$work/lintian" || true
  [ "$lintian_status" -eq 0 ] || fail "lintian reports errors"
fi

echo "== install"
apt_get install -y -qq "$deb" > "$work/apt.log" 2>&1 \
  || { cat "$work/apt.log"; fail "apt-get install"; }
installed=yes
dpkg-query -L quillmoor > "$work/files"
[ "$(command -v quillmoor)" = /usr/bin/quillmoor ] || fail "quillmoor is not on the PATH"
[ "$(readlink -f /usr/libexec/xscreensaver/quillmoor)" = /usr/bin/quillmoor ] \
  || fail "xscreensaver's program folder has no quillmoor"
[ "$(quillmoor --version)" = "quillmoor $version" ] || fail "--version says '$(quillmoor --version)'"

# Runtime libraries only, and each one the program loads comes from one of them.
tr ',|' '\n\n' <<< "$depends" | awk '{print $1}' > "$work/depends"
while read -r name; do
  [[ $name == lib* && $name != *-dev ]] || fail "dependency '$name' is not a runtime library"
done < "$work/depends"
for lib in $(objdump -p /usr/bin/quillmoor | awk '/NEEDED/ {print $2}'); do
  owners=$(dpkg-query -S "*/$lib" 2>/dev/null | cut -d: -f1 | tr ', ' '\n\n' | sort -u)
  # An owner also answers to the names it provides: a package built on
  # Debian 12 depends on libpng16-16, which Debian 13's libpng16-16t64 provides.
  names=$owners
  for owner in $owners; do
    names+=$'\n'$(dpkg-query -W -f='${Provides}\n' "$owner" | head -n 1 | tr ',' '\n' | awk 'NF {print $1}')
  done
  grep -qxF -f "$work/depends" <<< "$names" || fail "$lib (from: $owners) is not among the dependencies"
done

echo "== offscreen frame"
(cd "$work" && quillmoor --offscreen --frames 1 --size 320x240 --seed 7 --out frames > /dev/null) \
  || fail "the installed quillmoor --offscreen failed"
[ "$(identify -format '%wx%h' "$work/frames/frame-0001.png")" = 320x240 ] || fail "no 320x240 frame"
lit=$(convert "$work/frames/frame-0001.png" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:)
[ "$lit" -gt 20 ] || fail "the frame is black ($lit lit pixels)"
echo "ok: frame-0001.png, $lit pixels lit"

echo "== xscreensaver description"
xml=/usr/share/xscreensaver/config/quillmoor.xml
xmllint --noout --relaxng packaging/linux/xscreensaver-config.rng "$xml"
[ "$(xmllint --xpath 'string(/screensaver/@name)' "$xml")" = quillmoor ] || fail "$xml names another program"
# The daemon runs the installed program by name, with the description's arguments.
read -r -a args <<< "$(xmllint --xpath '/screensaver/command/@arg' "$xml" | sed -E 's/ *arg="([^"]*)"/\1 /g')"
bash tests/x11/xscreensaver_daemon.sh quillmoor "${args[@]}"

echo "== desktop entry and manual page"
desktop-file-validate /usr/share/applications/quillmoor.desktop
[ "$(man -w 6 quillmoor)" = /usr/share/man/man6/quillmoor.6.gz ] || fail "man does not find quillmoor(6)"
LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l /usr/share/man/man6/quillmoor.6.gz \
  > /dev/null 2> "$work/man.err"
[ -s "$work/man.err" ] && { cat "$work/man.err"; fail "the manual page renders with warnings"; }
echo "ok: quillmoor(6) renders without warnings"

echo "== remove"
apt_get purge -y -qq quillmoor > /dev/null
installed=
while read -r path; do
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
    fail "$path is left after removal"
  fi
done < "$work/files"
echo "ok: package $version built, installed, run and removed"
