#!/bin/bash
# Runs one fuzz target for a while on its seed corpus (read only, in the tree) and on
# its work corpus, where what the run adds is kept; findings go to WORK/findings.
# Usage: scripts/fuzz-one.sh TARGET_BINARY FUZZ_DIR WORK_DIR SECONDS
# The target's extra libFuzzer flags (dictionary, input size) are in FUZZ_DIR/NAME.flags.
# With RAVENLOCK_FUZZ_REPORT set to a folder, the outcome is also written there as a
# GoogleTest-style report NAME.xml, so that the test totals count it.
set -euo pipefail
bin="$1" fuzz_dir="$2" work="$3" seconds="$4"
name="$(basename "$bin")"
short="${name#fuzz_}"
# RAVENLOCK_FUZZ_FRESH=1: start from the seeds alone, without what earlier runs added.
[ -z "${RAVENLOCK_FUZZ_FRESH:-}" ] || rm -rf "$work/corpus"
mkdir -p "$work/corpus" "$work/findings"
flags=()
[ -f "$fuzz_dir/$name.flags" ] && read -ra flags <"$fuzz_dir/$name.flags"
cd "$fuzz_dir"
set +e
"$bin" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" \
  "${flags[@]}" "$work/corpus" "$fuzz_dir/corpus/$short"
rc=$?
set -e
if [ -n "${RAVENLOCK_FUZZ_REPORT:-}" ]; then
  failure=""
  [ "$rc" = 0 ] || failure="<failure message=\"finding, exit code $rc; inputs in $work/findings\"/>"
  cat >"$RAVENLOCK_FUZZ_REPORT/$name.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<testsuites><testsuite name="fuzz"><testcase classname="Fuzz" name="$short" time="$seconds">$failure</testcase></testsuite></testsuites>
XML
fi
exit $rc
