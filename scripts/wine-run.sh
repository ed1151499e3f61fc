#!/bin/bash
# Runs one Windows program under Wine as the test user in the test prefix; ctest uses
# it as the cross-compiling emulator. scripts/test.sh prepares the user, the display
# and the prefix. Output goes through a file: Wine's background services may inherit
# it and would otherwise keep a pipe open after the program has ended.
set -u
source "$(dirname "$0")/wine-env.sh"
prefix="${RAVENLOCK_TEST_PREFIX:-$RAVENLOCK_BUILD/wine/test-prefix}"
if [ -z "${DISPLAY:-}" ] || [ ! -f "$prefix/system.reg" ]; then
  echo "wine-run: no display or no test prefix; run the tests through scripts/test.sh" >&2
  exit 2
fi
log="$(mktemp /tmp/ravenlock-run.XXXXXX)"
exe="$1"; shift
wine_as_user "$prefix" wine "$exe" "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
exit $rc
