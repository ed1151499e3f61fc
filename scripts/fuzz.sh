#!/bin/bash
# Fuzzes every target (or the ones named) for SECONDS each (default 600), one after
# another, on its seed corpus in tests/fuzz/corpus. What a run adds to a corpus is kept
# in build/fuzz/NAME/corpus for the next run, and every finding (a crash, a sanitizer
# report, a property that failed) in build/fuzz/NAME/findings; turn each into a unit test
# with its input as a file. Prints time, executions per second and coverage per target.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 60 fuzz_news
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${RAVENLOCK_BUILD:-$root/build}"
seconds="${1:-600}"
shift || true
[ -n "${RAVENLOCK_FUZZ_NO_BUILD:-}" ] || bash "$here/native-build.sh" "$build"
targets=("$@")
if [ ${#targets[@]} = 0 ]; then
  for f in "$root"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
summary="$build/fuzz/summary.txt"
mkdir -p "$build/fuzz"
found=0
for name in "${targets[@]}"; do
  work="$build/fuzz/$name"
  log="$work.log"
  mkdir -p "$work"
  started=$(date +%s)
  set +e
  ASAN_OPTIONS=detect_leaks=1 "$here/fuzz-one.sh" "$build/native/$name" "$root/tests/fuzz" "$work" "$seconds" >"$log" 2>&1
  rc=$?
  set -e
  took=$(( $(date +%s) - started ))
  last="$(grep -E '^#[0-9]+' "$log" | tail -n1)"
  line="$(date -u +%FT%TZ) $name: ${took}s rc=$rc execs=$(grep -oP 'number_of_executed_units: \K[0-9]+' "$log" || echo ?)"
  line+=" exec/s=$(grep -oP 'average_exec_per_sec: *\K[0-9]+' "$log" || echo ?)"
  line+=" cov=$(grep -oP 'cov: \K[0-9]+' <<<"$last" || echo ?) ft=$(grep -oP 'ft: \K[0-9]+' <<<"$last" || echo ?)"
  echo "$line" | tee -a "$summary"
  if [ "$rc" != 0 ]; then
    found=1
    echo "  finding in $work/findings (log: $log):"
    grep -E 'ERROR: |property failed|SUMMARY' "$log" | head -n5 | sed 's/^/    /' || true
  fi
done
exit $found
