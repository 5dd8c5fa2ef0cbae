#!/usr/bin/env bash
# with-i386-emulation.sh [--probe I386-PROGRAM] COMMAND...: runs COMMAND where
# 32-bit x86 Linux
# programs (32-bit Wine's loader and server) can run. Where the kernel runs
# them (IA-32 emulation on) that is here. Where it does not (execve gives
# "Exec format error"), COMMAND runs as root in a private user and mount
# namespace whose own binfmt_misc hands them to qemu-i386-static, so nothing
# changes for the rest of the machine. Needs root, and Linux 6.7 or later for
# the private binfmt_misc; installs qemu-user-static when missing. The probe
# (an i386 program that runs on its own; default this system's i386 dynamic
# loader) tells whether the kernel runs them.
set -euo pipefail
probe=/lib/ld-linux.so.2
if [ "${1:-}" = --probe ]; then
  probe=${2:?--probe needs a program}
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--probe I386-PROGRAM] COMMAND..." >&2; exit 2; }
[ -x "$probe" ] || { echo "with-i386-emulation: no i386 program $probe to try" >&2; exit 1; }

"$probe" --version > /dev/null 2>&1 && exec "$@"

bash "$(dirname "$0")/apt-install-missing.sh" with-i386-emulation qemu-user-static
qemu=$(command -v qemu-i386-static) || { echo "with-i386-emulation: no qemu-i386-static" >&2; exit 1; }
echo "with-i386-emulation: this kernel does not run 32-bit programs; $(basename "$qemu") runs them" >&2
# The ELF header of an i386 executable or shared object, as qemu's own
# binfmt description has it; F opens the interpreter now, so that it also
# serves programs inside a chroot.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
exec unshare --user --map-root-user --mount --propagation private bash -c '
  set -e
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  printf "%s" ":qemu-i386:M::$1:$2:$3:F" > /proc/sys/fs/binfmt_misc/register
  shift 3
  exec "$@"' with-i386-emulation "$magic" "$mask" "$qemu" "$@"
