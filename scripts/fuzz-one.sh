#!/bin/bash
# Runs one fuzz target for a while on its seed corpus (read only, in the tree) and on
# its work corpus, where what the run adds is kept; findings go to WORK/findings.
# Usage: scripts/fuzz-one.sh TARGET_BINARY FUZZ_DIR WORK_DIR SECONDS
# The target's extra libFuzzer flags (dictionary, input size) are in FUZZ_DIR/NAME.flags.
set -euo pipefail
bin="$1" fuzz_dir="$2" work="$3" seconds="$4"
name="$(basename "$bin")"
short="${name#fuzz_}"
mkdir -p "$work/corpus" "$work/findings"
flags=()
[ -f "$fuzz_dir/$name.flags" ] && read -ra flags <"$fuzz_dir/$name.flags"
cd "$fuzz_dir"
exec "$bin" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" \
  "${flags[@]}" "$work/corpus" "$fuzz_dir/corpus/$short"
