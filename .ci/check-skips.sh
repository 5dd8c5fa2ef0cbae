#!/usr/bin/env bash
# check-skips.sh JUNIT...: lists every test that ctest skipped (its JUnit
# report, --output-junit) with the reason the test gave, and fails when any
# reason is not a property of the machine itself. A skip for a missing tool or
# library is a gap in tools/install-deps.sh and fails here.
set -euo pipefail

# What a machine may lack that no package gives it.
machine_properties=(
  'this kernel runs no 32-bit programs'
  'not root'
  'no user namespaces here'
  'mounting is not permitted here'
)

status=0
for report in "$@"; do
  [ -s "$report" ] || { echo "check-skips: no test report $report" >&2; exit 1; }
  # One line per skipped test: NAME<TAB>REASON. The reason is a script's
  # "SKIP: ..." line or the line after a googletest "Skipped".
  skipped=$(awk '
    /<testcase / {
      name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
      skipped = ($0 ~ /status="notrun"/); reason = ""; after = 0
    }
    skipped && reason == "" {
      line = $0; sub(/.*<system-out>/, "", line)
      if (after) { reason = line }
      else if (line ~ /^SKIP: /) { reason = substr(line, 7) }
      else if (line ~ /: Skipped$/) { after = 1 }
    }
    /<\/testcase>/ && skipped { print name "\t" (reason == "" ? "(no reason given)" : reason); skipped = 0 }
  ' "$report")
  [ -n "$skipped" ] || continue
  echo "== skipped tests ($report):"
  while IFS=$'\t' read -r name reason; do
    allowed=no
    for property in "${machine_properties[@]}"; do
      [[ "$reason" == *"$property"* ]] && allowed=yes
    done
    if [ "$allowed" = yes ]; then
      echo "  $name: $reason (a property of this machine)"
    else
      echo "  $name: $reason  <- FAIL: not a property of the machine"
      status=1
    fi
  done <<< "$skipped"
done
[ "$status" = 0 ] || echo "check-skips: tests were skipped for want of something the set-up should give" >&2
exit "$status"
