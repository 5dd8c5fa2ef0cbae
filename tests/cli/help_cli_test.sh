#!/usr/bin/env bash
# --help and --version end to end, and every option --help names is in the
# manual page, every offscreen option in --help.
set -u
quillmoor=$1 version=$2 manual=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$quillmoor" --help > "$work/help" 2> "$work/err" || fail "--help: exit $?"
[ -s "$work/err" ] && fail "--help wrote to stderr: $(cat "$work/err")"
grep -q '^Usage: quillmoor' "$work/help" || fail "--help prints no usage line"
[ "$("$quillmoor" -version)" = "quillmoor $version" ] || fail "-version: '$("$quillmoor" -version)', not 'quillmoor $version'"
if [ -w /dev/full ]; then
  "$quillmoor" --help > /dev/full 2> /dev/null && fail "--help into a full disk reports success"
fi

# The usage an offscreen error prints names each offscreen option.
"$quillmoor" --offscreen --no-such-option > /dev/null 2> "$work/usage"
options=$(grep -oE -- '--[a-z][a-z-]*' "$work/usage" | grep -v -- '--no-such-option' | sort -u)
[ -n "$options" ] || fail "no offscreen usage on a bad option"
for option in $options; do
  grep -qE -- "(^| )$option( |$)" "$work/help" || fail "--help does not name $option"
done

sed 's/\\-/-/g' "$manual" > "$work/manual"
for option in $(grep -oE -- '(^| )(--?[a-z][a-z-]*|/[a-z])' "$work/help" | sort -u); do
  grep -qE -- "(^|[^A-Za-z0-9/-])$option([^A-Za-z0-9-]|\$)" "$work/manual" || fail "the manual page does not name $option"
done

# Every QUILLMOOR_ variable the program reads is in --help and the manual:
# the names the sources spell as whole string literals (read from the
# sources, since a compiler may pack the program's strings without the NULs
# that would part them). QUILLMOOR_EGL_FAULT is the tests' way of making a
# set-up step fail, not meant for users.
sources=$(cd "$(dirname "$0")/../.." && pwd)
variables=$(grep -rhoE '"QUILLMOOR_[A-Z_]+"' "$sources/platform" "$sources/host" "$sources/scene" \
    | tr -d '"' | grep -vx 'QUILLMOOR_EGL_FAULT' | sort -u)
[ -n "$variables" ] || fail "found no QUILLMOOR_ variable in the program"
for variable in $variables; do
  grep -q "$variable" "$work/help" || fail "--help does not name $variable"
  grep -q "$variable" "$work/manual" || fail "the manual page does not name $variable"
done

echo "help cli: $((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
