#!/bin/bash
# The test command: installs what is missing, builds the program and the tests, and
# runs every test program under Wine (as an unprivileged user, Russian locale, on Xvfb
# when there is no display). Ends with a summary of the test cases that ran.
set -euo pipefail
# What we create must be readable by the unprivileged Wine user, whatever umask we got.
umask 022
here="$(cd "$(dirname "$0")" && pwd)"
export RAVENLOCK_ROOT="$(dirname "$here")"
export RAVENLOCK_BUILD="$RAVENLOCK_ROOT/build"
cd "$RAVENLOCK_ROOT"

start=$(date +%s)
bash "$here/setup.sh" "$RAVENLOCK_BUILD"

echo "== build"
cmake --preset mingw >"$RAVENLOCK_BUILD/configure.log" 2>&1 || { cat "$RAVENLOCK_BUILD/configure.log"; exit 1; }
set +e
cmake --build --preset mingw 2>&1 | grep -vE '^\[ *[0-9]+%\]|^gmake|Consolidate compiler'
build_rc=${PIPESTATUS[0]}
set -e
[ "$build_rc" = 0 ] || { echo "build failed"; exit 1; }

echo "== native build (clang, AddressSanitizer + UndefinedBehaviorSanitizer)"
bash "$here/native-build.sh" "$RAVENLOCK_BUILD"

source "$here/wine-env.sh"
ensure_test_user
open_build_outputs
ensure_display
export RAVENLOCK_TEST_PREFIX="$RAVENLOCK_BUILD/wine/test-prefix"
# The end-to-end tests run in a sandbox prefix of their own (tests/e2e/CMakeLists.txt
# names it), made fresh for every run so that no earlier run's state leaks in.
sandbox_prefix="$RAVENLOCK_BUILD/wine/sandbox-prefix"
cleanup() {
  stop_wineserver "$RAVENLOCK_TEST_PREFIX"
  stop_wineserver "$sandbox_prefix"
  stop_display
  stop_standin_services
}
trap cleanup EXIT
ensure_prefix "$RAVENLOCK_TEST_PREFIX"
start_wineserver "$RAVENLOCK_TEST_PREFIX"
echo "== sandbox prefix"
bash "$here/make-sandbox-prefix.sh" "$sandbox_prefix" "$RAVENLOCK_BUILD/mingw/bin"
start_wineserver "$sandbox_prefix"

results="$RAVENLOCK_BUILD/test-results"
rm -rf "$results"
mkdir -p "$results" "$RAVENLOCK_BUILD/screenshots"
[ "$(id -u)" = 0 ] && chown -R "$(wine_user):" "$results" "$RAVENLOCK_BUILD/screenshots"
# The stand-in web services; tests switch scenarios through the scenario file.
start_standin_services "$RAVENLOCK_BUILD/stand-in"

export GTEST_OUTPUT="xml:$(windows_path "$results")\\"
export RAVENLOCK_SCREENSHOT_DIR="$(windows_path "$RAVENLOCK_BUILD/screenshots")"
export GTEST_COLOR=no

echo "== tests (Wine $(wine --version 2>/dev/null), locale $RAVENLOCK_LOCALE, display $DISPLAY)"
set +e
ctest --preset mingw "$@"
rc=$?
# The core's unit tests under the sanitizers, and every fuzz target briefly on its corpus.
echo "== native tests (sanitizers; each fuzz target $(grep -oP 'RAVENLOCK_FUZZ_SECONDS:STRING=\K[0-9]+' \
  "$RAVENLOCK_BUILD/native/CMakeCache.txt") s)"
GTEST_OUTPUT="xml:$results/" RAVENLOCK_FUZZ_REPORT="$results" ctest --test-dir "$RAVENLOCK_BUILD/native" \
  --output-on-failure "$@" || rc=1
set -e
echo "test run took $(( $(date +%s) - start )) s"
# The totals come last. With a ctest filter some programs do not run at all; only a full run expects every report.
if [ $# = 0 ]; then
  python3 "$here/test-summary.py" "$results" "$RAVENLOCK_BUILD/mingw/bin"
else
  python3 "$here/test-summary.py" "$results"
fi
exit $rc
