#!/usr/bin/env bash
# i386-probe.sh: exit 0 when this kernel runs 32-bit x86 programs (IA-32
# emulation on). Otherwise prints why, as execve tells it, and exits 1.
# The probe is a 93-byte static i386 program that only calls exit(0), written
# here, so that no i386 package is needed to ask.
set -uo pipefail
probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header (entry 0x08048054), one loadable segment of the whole file at
# 0x08048000, then: mov eax, 1; xor ebx, ebx; int 0x80.
printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
  '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x28\x00\x00\x00\x00\x00' \
  '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
  '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
  '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$probe"
chmod 755 "$probe"
if ! why=$("$probe" 2>&1); then
  echo "this kernel runs no 32-bit x86 programs (${why##*: })"
  exit 1
fi
