# Shared by the test, demo and wine-run scripts: runs Wine as an unprivileged user
# (so that read-only files refuse writes as on Windows), with a Russian locale (ANSI
# code page 1251), on a display (Xvfb when there is none).
# Source it; it defines functions and changes nothing by itself.

RAVENLOCK_ROOT="${RAVENLOCK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
RAVENLOCK_BUILD="${RAVENLOCK_BUILD:-$RAVENLOCK_ROOT/build}"
RAVENLOCK_TEST_USER="${RAVENLOCK_TEST_USER:-ravenlock}"
RAVENLOCK_LOCALE="${RAVENLOCK_LOCALE:-ru_RU.UTF-8}"

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# The user Wine runs as: the test user when we are root, otherwise ourselves.
wine_user() { if [ "$(id -u)" = 0 ]; then echo "$RAVENLOCK_TEST_USER"; else id -un; fi; }

ensure_test_user() {
  [ "$(id -u)" = 0 ] || return 0
  if ! id -u "$RAVENLOCK_TEST_USER" >/dev/null 2>&1; then
    useradd --system --create-home --home-dir "/var/lib/$RAVENLOCK_TEST_USER" \
      --shell /usr/sbin/nologin "$RAVENLOCK_TEST_USER"
  fi
  # Every folder above the build tree must let the test user through (a clone under
  # /root, say): grant passage only, not listing.
  mkdir -p "$RAVENLOCK_BUILD"
  local d="$RAVENLOCK_BUILD"
  while [ "$d" != / ]; do
    if ! runuser -u "$RAVENLOCK_TEST_USER" -- test -x "$d"; then
      echo "wine-env: letting the test user '$RAVENLOCK_TEST_USER' pass through $d (chmod o+x)"
      chmod o+x "$d"
    fi
    d="$(dirname "$d")"
  done
}

# The built programs must be readable by the Wine user whatever the umask was.
open_build_outputs() {
  [ "$(id -u)" = 0 ] && chmod -R o+rX "$RAVENLOCK_BUILD/mingw/bin" "$RAVENLOCK_BUILD/mingw/tests" 2>/dev/null
  return 0
}

# wine_as_user PREFIX command... : runs a command in a prefix as the Wine user.
# Wine's .NET and HTML engines are switched off (their installers would wait for an
# answer) and so is its debugger, so that a crashing program ends instead of hanging.
wine_as_user() {
  local prefix="$1"; shift
  local home; home="$(getent passwd "$(wine_user)" | cut -d: -f6)"
  local vars=(HOME="$home" USER="$(wine_user)" WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
              WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}" WINEARCH=win64
              LANG="$RAVENLOCK_LOCALE" LC_ALL="$RAVENLOCK_LOCALE" DISPLAY="${DISPLAY:-}"
              PATH=/usr/local/bin:/usr/bin:/bin)
  local v
  for v in $(compgen -e); do
    case "$v" in RAVENLOCK_*|GTEST_*) vars+=("$v=${!v}");; esac
  done
  if [ "$(id -u)" = 0 ]; then
    runuser -u "$RAVENLOCK_TEST_USER" -- env -i "${vars[@]}" "$@"
  else
    env -i "${vars[@]}" "$@"
  fi
}

# Starts Xvfb when there is no display; sets DISPLAY and RAVENLOCK_XVFB_PID.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  # -ac: programs of the Wine user may connect to a server that root started.
  # Larger than the Wine desktop (1280 x 1024), so that a test can widen the desktop for
  # a window at 192 DPI.
  Xvfb ":$n" -ac -screen 0 2560x2048x24 -nolisten tcp >/dev/null 2>&1 &
  RAVENLOCK_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
}

stop_display() {
  if [ -n "${RAVENLOCK_XVFB_PID:-}" ]; then kill "$RAVENLOCK_XVFB_PID" 2>/dev/null || true; fi
}

# ensure_prefix PREFIX: creates the Wine prefix once, owned by the Wine user.
ensure_prefix() {
  local prefix="$1"
  if [ ! -f "$prefix/system.reg" ]; then
    echo "wine-env: creating Wine prefix $prefix (takes a while, once)"
    mkdir -p "$prefix"
    [ "$(id -u)" = 0 ] && chown "$RAVENLOCK_TEST_USER:" "$prefix"
    wine_as_user "$prefix" wineboot --init >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; return 1; }
    wine_as_user "$prefix" wineserver --wait
  fi
  isolate_user_folders "$prefix"
}

# Wine links Documents, Desktop and the like to the Wine user's home, which every prefix
# would then share; each prefix gets folders of its own instead.
isolate_user_folders() {
  local prefix="$1" d
  for d in "$prefix"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos,Templates}; do
    if [ -L "$d" ]; then
      rm -f "$d"
      mkdir -p "$d"
      [ "$(id -u)" = 0 ] && chown "$RAVENLOCK_TEST_USER:" "$d"
    fi
  done
  return 0
}

# Keeps a wine server running for the prefix and lets its background services start,
# so that no test program inherits them (they would hold its output open).
start_wineserver() {
  local prefix="$1"
  wine_as_user "$prefix" wineserver --persistent >/dev/null 2>&1 || true
  wine_as_user "$prefix" wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wineserver() {
  local prefix="$1"
  wine_as_user "$prefix" wineserver --kill >/dev/null 2>&1 || true
}

# A path as a Windows program sees it (Wine maps / to Z:).
windows_path() { local p="$1"; p="${p//\//\\}"; echo "Z:$p"; }

# start_standin_services DIR: the stand-in web services on a free port of 127.0.0.1,
# switched between scenarios through DIR/scenario (writable by the Wine user). Exports
# RAVENLOCK_SERVICE_BASE, RAVENLOCK_SCENARIO_FILE and RAVENLOCK_SERVICES_STARTED and
# sets RAVENLOCK_STANDIN_PID.
start_standin_services() {
  local dir="$1" i
  mkdir -p "$dir"
  echo "${RAVENLOCK_SCENARIO:-operational}" >"$dir/scenario"
  [ "$(id -u)" = 0 ] && chown -R "$(wine_user):" "$dir"
  rm -f "$dir/port"
  python3 "$RAVENLOCK_ROOT/sandbox/services/stand_in.py" --port 0 --scenario-file "$dir/scenario" \
    --ready-file "$dir/port" >"$dir/log" 2>&1 &
  RAVENLOCK_STANDIN_PID=$!
  for i in $(seq 1 50); do [ -s "$dir/port" ] && break; sleep 0.1; done
  [ -s "$dir/port" ] || { echo "the stand-in services did not start:" >&2; cat "$dir/log" >&2; return 1; }
  export RAVENLOCK_SERVICE_BASE="http://127.0.0.1:$(cat "$dir/port")"
  export RAVENLOCK_SCENARIO_FILE="$(windows_path "$dir/scenario")"
  # Tests that need the services fail rather than skip when they are missing now.
  export RAVENLOCK_SERVICES_STARTED=1
}

stop_standin_services() {
  if [ -n "${RAVENLOCK_STANDIN_PID:-}" ]; then kill "$RAVENLOCK_STANDIN_PID" 2>/dev/null || true; fi
}
