#!/usr/bin/env bash
# tools/install-deps.sh against releases faked through apt-cache: OSMesa's
# headers come only when asked for, and a release without them stops the
# request with a message before anything is installed. Then
# tools/install-windows-deps.sh: the amd64 half must install; the i386 half is
# asked for only where the kernel runs 32-bit programs, and its failure is
# said in one line without stopping the caller.
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
printf '#!/bin/sh\nexit 0\n' > "$work/bin/sudo"
chmod +x "$work/bin/"*

# case|QUILLMOOR_OSMESA|argument|candidate|exit|OSMesa headers requested
while IFS='|' read -r name env_value argument candidate want_code want_osmesa; do
  rm -f "$work/request"
  INSTALL_REQUEST=$work/request CANDIDATE=$candidate QUILLMOOR_OSMESA=$env_value PATH="$work/bin:$PATH" \
    bash "$work/tools/install-deps.sh" ${argument:+"$argument"} > "$work/out" 2>&1
  code=$?
  [ "$code" = "$want_code" ] || { fail "$name: exit $code, want $want_code: $(cat "$work/out")"; continue; }
  if [ "$want_code" = 0 ]; then
    grep -qx libegl-dev "$work/request" || fail "$name: no libegl-dev in $(tr '\n' ' ' < "$work/request")"
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

[ "$failures" = 0 ] && echo "ok: install-deps chooses OSMesa by request and release; install-windows-deps goes on without i386"
[ "$failures" = 0 ]
