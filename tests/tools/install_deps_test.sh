#!/usr/bin/env bash
# tools/install-deps.sh against releases faked through apt-cache: OSMesa's
# headers come only when asked for, and a release without them stops the
# request with a message before anything is installed. Then
# tools/install-windows-deps.sh: the amd64 half must install; the i386 half is
# asked for only where the kernel runs 32-bit programs, and its failure is
# said in one line without stopping the caller. Then
# tools/apt-install-missing.sh against a stand-in apt-get whose mirror fails.
set -u
top=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The script beside a stand-in for the installer, which records its request.
mkdir -p "$work/tools" "$work/bin"
cp "$top/tools/install-deps.sh" "$top/tools/install-windows-deps.sh" "$work/tools/"
# Fails a request that holds a package named in $REFUSE.
cat > "$work/tools/apt-install-missing.sh" <<'STUB'
shift
printf '%s\n' "$@" >> "$INSTALL_REQUEST"
[ -z "${REFUSE:-}" ] || ! printf '%s\n' "$@" | grep -qx "$REFUSE"
STUB
printf '#!/bin/sh\n[ "$KERNEL_I386" = yes ] || { echo "the kernel says no"; exit 1; }\n' > "$work/tools/i386-probe.sh"
# apt-cache policy as a release answers it: $CANDIDATE empty means the
# release does not know the package at all.
cat > "$work/bin/apt-cache" <<'STUB'
#!/bin/sh
[ -n "$CANDIDATE" ] && printf '%s:\n  Installed: (none)\n  Candidate: %s\n' "$3" "$CANDIDATE"
exit 0
STUB
printf '#!/bin/sh\nexit 0\n' > "$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' > "$work/bin/sudo"
chmod +x "$work/bin/"*

# case|QUILLMOOR_OSMESA|argument|candidate|exit|OSMesa headers requested
while IFS='|' read -r name env_value argument candidate want_code want_osmesa; do
  rm -f "$work/request"
  INSTALL_REQUEST=$work/request CANDIDATE=$candidate QUILLMOOR_OSMESA=$env_value PATH="$work/bin:$PATH" \
    bash "$work/tools/install-deps.sh" ${argument:+"$argument"} > "$work/out" 2>&1
  code=$?
  [ "$code" = "$want_code" ] || { fail "$name: exit $code, want $want_code: $(cat "$work/out")"; continue; }
  if [ "$want_code" = 0 ]; then
    # x11-xserver-utils: xrdb, which the X11 tests need.
    for needed in libegl-dev x11-xserver-utils; do
      grep -qx "$needed" "$work/request" || fail "$name: no $needed in $(tr '\n' ' ' < "$work/request")"
    done
    got=no
    grep -qx libosmesa6-dev "$work/request" && got=yes
    [ "$got" = "$want_osmesa" ] || fail "$name: libosmesa6-dev requested: $got, want $want_osmesa"
  else
    [ -e "$work/request" ] && fail "$name: installed anyway: $(tr '\n' ' ' < "$work/request")"
    [ "$want_code" = 1 ] && { grep -q 'no libosmesa6-dev' "$work/out" || fail "$name: message is: $(cat "$work/out")"; }
  fi
done <<'CASES'
default on a release with OSMesa|||25.0.7-2+deb13u1|0|no
default on a release without it|||(none)|0|no
--osmesa on Debian 12||--osmesa|22.3.6-1+deb12u2|0|yes
QUILLMOOR_OSMESA=ON on Debian 13|ON||25.0.7-2+deb13u1|0|yes
QUILLMOOR_OSMESA=OFF|OFF||25.0.7-2+deb13u1|0|no
--osmesa on sid, which lists it no more||--osmesa|(none)|1|
--osmesa where apt does not know it||--osmesa||1|
an unknown argument||--osmesa6||2|
CASES

# case|kernel runs i386|package refused|exit|wine32 asked for|what it says
while IFS='|' read -r name kernel refuse want_code want_wine32 want_said; do
  rm -f "$work/request"
  INSTALL_REQUEST=$work/request KERNEL_I386=$kernel REFUSE=$refuse PATH="$work/bin:$PATH" \
    bash "$work/tools/install-windows-deps.sh" > "$work/out" 2>&1
  code=$?
  got=no
  grep -qx 'wine32:i386' "$work/request" && got=yes
  said=$(cat "$work/out")
  [ "$code" = "$want_code" ] && [ "$got" = "$want_wine32" ] && [[ "$said" =~ ^$want_said$ ]] \
    || fail "$name: exit $code, wine32 asked for: $got: $said"
done <<'CASES'
a kernel without IA-32|no||0|no|install-windows-deps: no 32-bit Wine: the kernel says no
a kernel with it|yes||0|yes|
an i386 package the mirror cannot give|yes|libgl1:i386|0|yes|.*no 32-bit Wine: .*missing: wine32:i386 libgl1:i386 .*
an amd64 package it cannot give|yes|wine64|1|no|
CASES


# apt-get as a mirror answers it: the first $UPDATE_FAILS updates fail on one
# index; the install fails when it needs $FETCH_FAILS's file or $UNKNOWN.
mkdir "$work/apt"
cat > "$work/apt/apt-get" <<'STUB'
#!/bin/bash
for arg; do [ "$arg" = update ] && op=update; [ "$arg" = install ] && op=install; done
echo "$op" >> "$APT_CALLS"
if [ "$op" = update ]; then
  [ "$(grep -c update "$APT_CALLS")" -gt "${UPDATE_FAILS:-0}" ] && exit 0
  echo "E: Failed to fetch http://mirror/debian/dists/bookworm/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
  exit 100
fi
[ -n "$UNKNOWN" ] && { echo "E: Unable to locate package $UNKNOWN"; exit 100; }
[ -n "$FETCH_FAILS" ] && { echo "E: Failed to fetch http://mirror/debian/pool/main/l/$FETCH_FAILS/${FETCH_FAILS}_1.0-1_amd64.deb  404  Not Found"; exit 100; }
exit 0
STUB
printf '#!/bin/sh\nexit 1\n' > "$work/apt/dpkg-query"
printf '#!/bin/sh\necho amd64\n' > "$work/apt/dpkg"
cp "$work/bin/sudo" "$work/apt/"
chmod +x "$work/apt/"*

# case|failed updates|file that fails|unknown package|exit|updates|words the output must hold
while IFS='|' read -r name update_fails fetch_fails unknown want_code want_updates want_words; do
  rm -f "$work/calls"
  APT_CALLS=$work/calls UPDATE_FAILS=$update_fails FETCH_FAILS=$fetch_fails UNKNOWN=$unknown \
    QUILLMOOR_APT_RETRY_SECONDS=0 PATH="$work/apt:$PATH" \
    bash "$top/tools/apt-install-missing.sh" step x11-xserver-utils libpng-dev > "$work/out" 2>&1
  code=$?
  [ "$code" = "$want_code" ] || fail "$name: exit $code, want $want_code: $(cat "$work/out")"
  updates=$(grep -c update "$work/calls")
  [ "$updates" = "$want_updates" ] || fail "$name: $updates updates, want $want_updates"
  grep -q install "$work/calls" || fail "$name: no install was tried"
  grep -qF "$want_words" "$work/out" || fail "$name: no '$want_words' in: $(cat "$work/out")"
done <<'CASES'
a healthy mirror|0|||0|1|installing x11-xserver-utils libpng-dev
an index mid-sync once|1|||0|2|binary-i386/Packages.xz  File has unexpected size
an index mid-sync twice|2|||0|2|the install decides
a needed package's file missing|2|x11-xserver-utils||1|2|cannot install x11-xserver-utils;
a dependency's file missing|0|libxmuu1||1|1|cannot install libxmuu1;
a package the release lacks|0||libpng-dev|1|1|cannot install libpng-dev;
CASES

[ "$failures" = 0 ] && echo "ok: install-deps chooses OSMesa by request and release, and survives a bad mirror; install-windows-deps goes on without i386"
[ "$failures" = 0 ]
