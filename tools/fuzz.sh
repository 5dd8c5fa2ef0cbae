#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (installed when missing) and runs
# each for a bounded time.
#
#   QUILLMOOR_FUZZ_SECONDS   seconds per target (default 60)
#   QUILLMOOR_FUZZ_BUILD_DIR where to build (default build-fuzz/)
#
# Each target starts from its seed corpus, tests/fuzz/corpus/<target>, when
# there is one, and from what earlier runs found (BUILD/fuzz-corpus/<target>,
# where new inputs go). A finding stops the script with a failure; the input
# is kept as BUILD/fuzz-findings/<target>-crash-... and can be replayed by
# passing it to the target.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMOOR_FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${QUILLMOOR_FUZZ_SECONDS:-60}

bash "$top/tools/install-deps.sh"
bash "$top/tools/apt-install-missing.sh" fuzz clang
mkdir -p "$build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILLMOOR_FUZZ=ON > "$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)" --target fuzz_targets > /dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
mkdir -p "$build/fuzz-findings" "$build/fuzz-logs"
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/fuzz-corpus/$name"
  log="$build/fuzz-logs/$name.log"
  seeds=()
  [ -d "$top/tests/fuzz/corpus/$name" ] && seeds=("$top/tests/fuzz/corpus/$name")
  mkdir -p "$corpus"
  echo "== fuzz $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=25 -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-findings/$name-" "$corpus" "${seeds[@]}" > "$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz: $name found a fault; the input is in $build/fuzz-findings/, the whole log in $log" >&2
    exit 1
  fi
  grep -E '^(Done|stat::new_units_added)' "$log" || true
done
