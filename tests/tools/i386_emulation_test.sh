#!/usr/bin/env bash
# tools/with-i386-emulation.sh: where the probe runs, the command runs as it
# is; where it does not, the command runs in a user namespace of its own in
# which an i386 program runs (through qemu when the kernel cannot).
# Needs root, qemu-user-static and user namespaces; the i386 program it runs
# is tools/i386-probe.sh's, so no i386 package is needed.
set -u
top=$1
skip() { echo "SKIP: $*"; exit 77; }
# What the machine is first, then what tools/install-deps.sh should have given.
[ "$(id -u)" = 0 ] || skip "not root"
unshare --user --map-root-user true 2> /dev/null || skip "no user namespaces here (a chroot?)"
command -v qemu-i386-static > /dev/null || skip "no qemu-i386-static (qemu-user-static)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '#!/bin/sh\nexit 0\n' > "$work/runs"
printf '#!/bin/sh\nexit 1\n' > "$work/fails"
chmod +x "$work/runs" "$work/fails"
own_map=$(tr -s ' ' < /proc/self/uid_map)

# probe|where the command runs
while IFS='|' read -r probe where; do
  out=$(bash "$top/tools/with-i386-emulation.sh" --probe "$work/$probe" \
    sh -c 'tr -s " " < /proc/self/uid_map; bash "$1/tools/i386-probe.sh" > /dev/null || echo no-i386' probe "$top" \
    2> "$work/err")
  code=$?
  [ "$code" = 0 ] || { fail "probe that $probe: exit $code: $(cat "$work/err")"; continue; }
  map=$(head -n 1 <<< "$out")
  case "$where" in
    here) [ "$map" = "$own_map" ] || fail "probe that $probe: ran in another namespace ($map)" ;;
    namespace)
      [ "$map" = " 0 0 1" ] || fail "probe that $probe: uid map is '$map', not root alone"
      grep -q no-i386 <<< "$out" && fail "probe that $probe: no i386 program runs in the namespace" ;;
  esac
done <<'CASES'
runs|here
fails|namespace
CASES

bash "$top/tools/with-i386-emulation.sh" --probe "$work/missing" true 2> "$work/err" \
  && fail "a missing probe is accepted"
[ "$failures" = 0 ] && echo "ok: with-i386-emulation runs i386 programs here or in its namespace"
[ "$failures" = 0 ]
