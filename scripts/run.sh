#!/bin/bash
# The run command: builds everything and starts Fallout 76 Ravenlock under Wine in
# the demo prefix, on your display, or under Xvfb (saving a screenshot) when there
# is none.
set -euo pipefail
# What we create must be readable by the unprivileged Wine user, whatever umask we got.
umask 022
here="$(cd "$(dirname "$0")" && pwd)"
export RAVENLOCK_ROOT="$(dirname "$here")"
export RAVENLOCK_BUILD="$RAVENLOCK_ROOT/build"
cd "$RAVENLOCK_ROOT"

bash "$here/setup.sh" "$RAVENLOCK_BUILD"
cmake --preset mingw >"$RAVENLOCK_BUILD/configure.log" 2>&1 || { cat "$RAVENLOCK_BUILD/configure.log"; exit 1; }
cmake --build --preset mingw >"$RAVENLOCK_BUILD/build.log" 2>&1 || { tail -40 "$RAVENLOCK_BUILD/build.log"; exit 1; }

source "$here/wine-env.sh"
ensure_test_user
open_build_outputs
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
ensure_display
# --store: the demo with the Microsoft Store edition installed beside Steam's (a prefix of
# its own); every other argument goes to the program.
store=""
prefix="$RAVENLOCK_BUILD/wine/demo-prefix"
if [ "${1:-}" = "--store" ]; then
  store="--store"
  prefix="$RAVENLOCK_BUILD/wine/demo-store-prefix"
  shift
fi
trap 'stop_wineserver "$prefix"; stop_display; stop_standin_services' EXIT
# The stand-in web services answer the program's status, news, widget and launch-code
# requests (RAVENLOCK_SCENARIO=down, for instance, shows the program without them).
start_standin_services "$RAVENLOCK_BUILD/demo-stand-in"
# The sandbox world (stub game and Steam, Steam's record, sample profile), made once and
# kept, with whatever the program stored in it; remove the folder to start afresh.
if [ ! -f "$prefix/.sandbox-ready" ]; then
  bash "$here/make-sandbox-prefix.sh" "$prefix" "$RAVENLOCK_BUILD/mingw/bin" $store
  # As many players have it: Fallout76Custom.ini sets a key of Fallout76Prefs.ini, so the
  # demo shows an overridden option (Tools tab) and its grey line (settings editor).
  custom="$prefix/drive_c/users/$(wine_user)/Documents/My Games/Fallout 76/Fallout76Custom.ini"
  printf '[General]\r\n[Display]\r\niPresentInterval=0\r\n' >"$custom"
  [ "$(id -u)" = 0 ] && chown "$(wine_user):" "$custom"
fi
start_wineserver "$prefix"

exe="$RAVENLOCK_BUILD/mingw/bin/Fallout76Ravenlock.exe"
if [ $headless = 0 ]; then
  echo "run: starting Fallout 76 Ravenlock on $DISPLAY (close it from its tray menu or with Ctrl+C here)"
  wine_as_user "$prefix" wine "$exe" "$@"
else
  # The sandbox prefix runs every program in a Wine virtual desktop, which draws the
  # window frames itself, as Windows would; bare Xvfb has no window manager to do it.
  wine_as_user "$prefix" wine "$exe" "$@" >"$RAVENLOCK_BUILD/demo.log" 2>&1 &
  shot="$RAVENLOCK_BUILD/screenshots/demo.png"
  mkdir -p "$(dirname "$shot")"
  for i in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Fallout 76 Ravenlock"' && break
    sleep 0.2
  done
  sleep 3  # let the first paint and the first online answers arrive
  import -window root "$shot"
  echo "run: no display here, so the program ran under Xvfb; screenshot saved to $shot"
fi
