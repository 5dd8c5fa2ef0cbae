#!/usr/bin/env bash
# tools/chroot-mounts.sh on a directory fixture: a chroot whose package
# cache is a bind mount from the same file system. Removing the chroot never
# deletes through a bind mount that is still mounted, even when the mount
# table is long (a reader that stops early must not read "nothing mounted")
# or cannot be read at all.
set -u
top=$1
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "not root"
work=$(mktemp -d)
# Never delete through our own fixture either.
trap 'umount -R -l "$work/chroot/var/cache/apt/archives" 2> /dev/null
      findmnt -rn -o TARGET | grep -qF "$work/" || rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Stand-ins that, when asked to, fail or answer at great length.
mkdir "$work/bin"
cat > "$work/bin/findmnt" <<'STUB'
#!/bin/sh
[ -n "$TABLE_FAILS" ] && exit 1
/usr/bin/findmnt "$@"
seq 100000 | sed 's|^|/elsewhere/|'
STUB
cat > "$work/bin/umount" <<'STUB'
#!/bin/sh
[ -n "$UMOUNT_FAILS" ] && { echo "umount: target is busy" >&2; exit 32; }
exec /usr/bin/umount "$@"
STUB
chmod +x "$work/bin/"*

# case|umount fails|mount table fails|removed
while IFS='|' read -r name umount_fails table_fails want_removed; do
  mkdir -p "$work/cache" "$work/chroot/var/cache/apt/archives"
  echo kept > "$work/cache/package.deb"
  mount --bind "$work/cache" "$work/chroot/var/cache/apt/archives" || skip "mounting is not permitted here"
  # Under the options tools/test-releases.sh runs with.
  (set -euo pipefail
   export PATH="$work/bin:$PATH" UMOUNT_FAILS=$umount_fails TABLE_FAILS=$table_fails
   . "$top/tools/chroot-mounts.sh"; remove_chroot "$work/chroot") > "$work/out" 2>&1
  code=$?
  [ -s "$work/cache/package.deb" ] || fail "$name: the bind-mounted cache was deleted through"
  if [ "$want_removed" = yes ]; then
    [ "$code" = 0 ] || fail "$name: exit $code: $(cat "$work/out")"
    [ -e "$work/chroot" ] && fail "$name: the chroot is still there"
  else
    [ "$code" != 0 ] || fail "$name: reported success"
    [ -d "$work/chroot" ] || fail "$name: the chroot was removed"
    grep -q "not removing it" "$work/out" || fail "$name: says: $(cat "$work/out")"
  fi
  umount "$work/chroot/var/cache/apt/archives" 2> /dev/null
  rm -rf --one-file-system "$work/chroot"
done <<'CASES'
unmounted and removed|||yes
a mount that will not go|1||no
a mount table that cannot be read||1|no
CASES

[ "$failures" = 0 ] && echo "ok: a chroot goes only when nothing is mounted in it"
[ "$failures" = 0 ]
