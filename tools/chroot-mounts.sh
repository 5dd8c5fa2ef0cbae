# Sourced by tools/test-releases.sh: ending what runs in a chroot, unmounting
# what is bound into it, and removing it only when nothing is mounted there.

# Every process whose root is the chroot: what a check left running.
processes_in() {
  local proc
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$1" ] && echo "${proc#/proc/}"
  done
  return 0
}

# The mount points below DIR, deepest first. Fails when the mount table
# cannot be read, so that a caller never takes "unknown" for "nothing".
mounts_under() {
  local table
  table=$(findmnt -rn -o TARGET) || return 1
  # findmnt -r writes a blank in a path as \x20.
  awk -v dir="$(sed 's/ /\\x20/g' <<< "$1")/" 'index($0, dir) == 1' <<< "$table" | sort -r
}

# Ends what still runs in the chroot and unmounts everything bound into it;
# fails when anything is still mounted there afterwards.
release_chroot() {
  local dir=$1 pids _ targets target
  mapfile -t pids < <(processes_in "$dir")
  if [ ${#pids[@]} -gt 0 ]; then
    echo "test-releases: ending what still runs in $dir: ${pids[*]}" >&2
    kill "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 50); do
      [ -z "$(processes_in "$dir")" ] && break
      sleep 0.1
    done
    mapfile -t pids < <(processes_in "$dir")
    [ ${#pids[@]} -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null || true
  fi
  targets=$(mounts_under "$dir") || return 1
  while IFS= read -r target; do
    [ -n "$target" ] || continue
    target=$(printf '%b' "$target")
    umount -R "$target" 2>/dev/null || umount -R -l "$target" 2>/dev/null || true
  done <<< "$targets"
  targets=$(mounts_under "$dir") || return 1
  [ -z "$targets" ] || { echo "test-releases: still mounted in $dir:" $targets >&2; return 1; }
}

# Removes a chroot, never while anything is still mounted inside it: rm's
# --one-file-system does not stop at a bind mount from the same file system.
remove_chroot() {
  local dir=$1
  [ -e "$dir" ] || return 0
  release_chroot "$dir" || { echo "test-releases: $dir still has mounts; not removing it" >&2; return 1; }
  rm -rf --one-file-system "$dir"
}
