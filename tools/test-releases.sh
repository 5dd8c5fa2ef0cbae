#!/usr/bin/env bash
# Builds and tests Quillmoor on the Debian releases after this machine's, each
# in a clean minimal chroot (debootstrap --variant=minbase) made from this
# machine's own apt source, with a clean copy of the committed tree (HEAD):
#   sid     the whole Linux test suite with no OSMesa installed, an offscreen
#           frame, and the Debian package built, linted, installed and run
#   trixie  (Debian 13) the same, the Windows stage under its Wine, and the
#           package built on this machine installed and run
# (tools/check-release.sh is what runs inside). Each release's log starts with
# the Mesa, GCC, CMake (and Wine) versions it used; every stage prints its time.
#
#   bash tools/test-releases.sh [--keep] [RELEASE...]    (default: sid trixie)
#
# As root. The chroots go to $QUILLMOOR_CHROOTS (default
# /var/tmp/quillmoor-releases), each made anew on every run; --keep leaves
# them there afterwards, unmounted, to look into. Downloaded packages are
# kept in its cache/ folder for later runs (apt checks each against the
# signed index). QUILLMOOR_DEBIAN_MIRROR overrides the apt source.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
base=${QUILLMOOR_CHROOTS:-/var/tmp/quillmoor-releases}

keep=0
releases=()
for arg in "$@"; do
  case "$arg" in
    --keep) keep=1 ;;
    -*) echo "usage: $0 [--keep] [RELEASE...]" >&2; exit 2 ;;
    *) releases+=("$arg") ;;
  esac
done
[ ${#releases[@]} -gt 0 ] || releases=(sid trixie)
[ "$(id -u)" -eq 0 ] || { echo "test-releases: run as root (debootstrap, chroot, mount)" >&2; exit 1; }
case "$base" in /?*) ;; *) echo "test-releases: QUILLMOOR_CHROOTS must be an absolute path" >&2; exit 1 ;; esac

# The mirror this machine's own release comes from: the first source of
# Debian's main archive (not its security, updates or backports archives),
# whether the source names the release by codename (bookworm, sid) or by
# suite (stable, unstable, testing). apt-cache's answer is read whole first:
# an awk that exits early would end the script through pipefail, silently.
mirror=${QUILLMOOR_DEBIAN_MIRROR:-}
if [ -z "$mirror" ]; then
  policy=$(apt-cache policy 2>/dev/null || true)
  mirror=$(awk '
    $1 ~ /^-?[0-9]+$/ && $2 ~ /^[a-z+]+:\/\// { uri = $2; next }
    $1 == "release" && uri != "" {
      fields = "," $2 ","
      if (fields ~ /,o=Debian,/ && fields ~ /,l=Debian,/ && fields ~ /,c=main,/ \
          && fields !~ /,n=[^,]*-(security|updates|backports)[^,]*,/) { print uri; exit }
      uri = ""
    }' <<< "$policy")
  [ -n "$mirror" ] || { echo "test-releases: no apt source for Debian's main archive; set QUILLMOOR_DEBIAN_MIRROR" >&2; exit 1; }
fi
bash "$top/tools/apt-install-missing.sh" test-releases debootstrap git

timed() {
  local name=$1 started=$SECONDS
  shift
  "$@"
  echo "== $name: $((SECONDS - started)) s"
}

. "$top/tools/chroot-mounts.sh"

current=
on_exit() {
  local status=$?
  if [ -n "$current" ]; then
    if [ "$keep" = 1 ]; then release_chroot "$current" || true; else remove_chroot "$current" || true; fi
  fi
  exit $status
}
trap on_exit EXIT
trap 'exit 130' INT TERM

make_chroot() {
  local release=$1 dir=$2
  local cache=$base/cache/$release
  mkdir -p "$cache"
  debootstrap --variant=minbase --cache-dir="$cache" "$release" "$dir" "$mirror" > "$dir.debootstrap.log" 2>&1 \
    || { tail -n 30 "$dir.debootstrap.log" >&2; return 1; }
  # The source may be a dated snapshot whose Release file has expired.
  cat > "$dir/etc/apt/apt.conf.d/90quillmoor" <<'CONF'
Acquire::Check-Valid-Until "false";
Acquire::Languages "none";
APT::Install-Recommends "false";
CONF
  # A throw-away system: no services started, no syncing after each file.
  printf '#!/bin/sh\nexit 101\n' > "$dir/usr/sbin/policy-rc.d"
  chmod 755 "$dir/usr/sbin/policy-rc.d"
  echo force-unsafe-io > "$dir/etc/dpkg/dpkg.cfg.d/90quillmoor"
  mount --bind /proc "$dir/proc"
  mount --rbind /dev "$dir/dev"
  mount --make-rslave "$dir/dev"
  mount --bind "$cache" "$dir/var/cache/apt/archives"
}

# The committed tree, as a new user would clone it, without build folders.
copy_tree() {
  local dir=$1
  mkdir -p "$dir/build"
  git -C "$top" archive --format=tar --prefix=quillmoor/ "$tree" | tar -x -C "$dir/build"
}

# A command inside the chroot, in the tree, with a clean environment.
in_chroot=(/usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  bash -c 'cd /build/quillmoor && exec "$@"' in-chroot)

tree=$(git -C "$top" rev-parse HEAD)
echo "== releases: ${releases[*]}, from $mirror, tree ${tree:0:12}"
git -C "$top" diff --quiet HEAD || echo "test-releases: uncommitted changes are not tested; HEAD is"
host_deb=
results=()
for release in "${releases[@]}"; do
  checks=()
  case "$release" in
    trixie)
      checks=(--windows)
      if [ -z "$host_deb" ]; then
        started=$SECONDS
        host_deb=$(bash "$top/tools/package.sh" | tail -n 1)
        echo "== package built on this machine ($(. /etc/os-release && echo "$PRETTY_NAME")):" \
          "$(basename "$host_deb"), $((SECONDS - started)) s"
      fi
      checks+=(--deb "/build/$(basename "$host_deb")")
      ;;
  esac
  dir=$base/$release
  mkdir -p "$base"
  remove_chroot "$dir"
  mkdir -p "$dir"
  current=$dir
  started=$SECONDS
  echo "== $release: chroot in $dir"
  timed "$release: debootstrap and mounts" make_chroot "$release" "$dir"
  timed "$release: copy of the tree" copy_tree "$dir"
  [ "$release" != trixie ] || cp "$host_deb" "$dir/build/"
  status=0
  # In the background, so that a signal reaches the trap at once.
  (chroot "$dir" "${in_chroot[@]}" bash tools/check-release.sh "${checks[@]}" 2>&1 \
    | sed -u "s/^/[$release] /") &
  wait $! || status=$?
  if [ "$release" = trixie ]; then
    wine_started=$SECONDS
    echo "[$release] == Windows stage under Wine $(chroot "$dir" dpkg-query -W -f='${Version}' wine)"
    # The 64-bit saver always runs; the 32-bit one where the kernel runs
    # 32-bit programs, or through qemu-i386 when asked
    # (QUILLMOOR_WINE_EMULATION=1; slow), from outside: a user namespace that
    # lets them run cannot be made inside a chroot.
    emulation=()
    [ "${QUILLMOOR_WINE_EMULATION:-0}" != 1 ] \
      || emulation=(bash "$top/tools/with-i386-emulation.sh" --probe "$dir/lib/ld-linux.so.2")
    ("${emulation[@]}" chroot "$dir" "${in_chroot[@]}" bash tests/wine/run.sh --no-install 2>&1 \
      | sed -u "s/^/[$release] /") &
    if wait $!; then
      echo "[$release] == Windows stage: ok, $((SECONDS - wine_started)) s"
    else
      echo "[$release] == Windows stage: FAILED, $((SECONDS - wine_started)) s"
      status=1
    fi
  fi
  if [ "$keep" = 1 ]; then release_chroot "$dir"; else remove_chroot "$dir"; fi
  current=
  echo "== $release: $((SECONDS - started)) s from nothing"
  if [ "$status" -eq 0 ]; then results+=("$release: passed"); else results+=("$release: FAILED"); fi
done

printf '== %s\n' "${results[@]}"
! printf '%s\n' "${results[@]}" | grep -q FAILED
