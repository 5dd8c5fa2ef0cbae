#!/usr/bin/env bash
# apt-install-missing.sh NAME PACKAGE...: installs the Debian packages of the
# list that are not installed yet, as root or through sudo; NAME says who
# asks. A package of a foreign architecture (name:i386) adds that
# architecture first.
#
# A mirror that serves a broken index (mid-sync, say) does not stop it: the
# failed indexes are named, the update is tried once more after
# QUILLMOOR_APT_RETRY_SECONDS (15 unless set), and then the install decides.
# Only a package that cannot be installed fails the step, and it is named.
set -euo pipefail
who=$1
shift

missing=()
native=$(dpkg --print-architecture)
for package in "$@"; do
  # A name without an architecture means this machine's own (or "all"), even
  # when the package of another architecture is installed too.
  case "$package" in
    *:*) want="install ok installed ${package##*:}" ;;
    *) want="install ok installed ($native|all)" ;;
  esac
  dpkg-query -W -f='${Status} ${Architecture}\n' "$package" 2>/dev/null | grep -Eqx "$want" \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo > /dev/null || { echo "$who: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
echo "$who: installing ${missing[*]}"
for package in "${missing[@]}"; do
  case "$package" in
    *:*) arch=${package##*:}
         dpkg --print-foreign-architectures | grep -qx "$arch" || "${as_root[@]}" dpkg --add-architecture "$arch" ;;
  esac
done
apt_get() { DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The indexes apt could not fetch, one a line, from its error lines.
failed_indexes() { grep -E 'Failed to fetch|^Err:' "$log" | sed 's/^/  /'; }

update_ok=0
for attempt in 1 2; do
  if apt_get update -qq > "$log" 2>&1; then update_ok=1; break; fi
  echo "$who: apt-get update failed (attempt $attempt of 2) on:" >&2
  failed_indexes >&2 || sed 's/^/  /' "$log" >&2
  [ "$attempt" = 2 ] || sleep "${QUILLMOOR_APT_RETRY_SECONDS:-15}"
done
[ "$update_ok" = 1 ] || echo "$who: going on with the indexes apt has; the install decides" >&2

if ! apt_get install -y -qq --no-install-recommends "${missing[@]}" > "$log" 2>&1; then
  # Name the packages apt's errors mention: "Unable to locate package P",
  # "Package 'P' has no installation candidate", or a .../P_VERSION_ARCH.deb
  # that failed to fetch.
  named=()
  errors=$(grep -E '^E:' "$log" || true)
  for package in "${missing[@]}"; do
    bare=${package%%:*}
    grep -qF -e "package $bare" -e "'$bare'" -e "/${bare}_" <<< "$errors" && named+=("$package")
  done
  # Else a dependency of theirs: the package of the file that failed.
  [ ${#named[@]} -gt 0 ] || mapfile -t named < <(sed -n 's|.*Failed to fetch .*/\([^/_]*\)_[^/ ]*\.deb.*|\1|p' "$log" | sort -u)
  [ ${#named[@]} -gt 0 ] || named=("${missing[@]}")
  echo "$who: cannot install ${named[*]}; apt said:" >&2
  sed 's/^/  /' "$log" >&2
  exit 1
fi
