#!/usr/bin/env bash
# apt-install-missing.sh NAME PACKAGE...: installs the Debian packages of the
# list that are not installed yet, as root or through sudo; NAME says who
# asks. A package of a foreign architecture (name:i386) adds that
# architecture first.
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
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
