#!/bin/bash
# The benchmark: start-up time, memory, idle and monitoring CPU, and how long the UI
# thread keeps a sent message waiting, for the release program and for a bare Win32
# window started the same way (bench/bare_window.cpp), in a fresh sandbox prefix with the
# stand-in services. Runs alternate between the two, each figure is the median of the
# runs, and every run is followed by a pause: under Wine a process that was just ended
# keeps the desktop busy for a moment. Prints figures; asserts nothing. The comparison
# wants an idle machine: it says so when the load average is over 1.
#   RAVENLOCK_BENCH_RUNS   runs per start-up and stall figure (7)
#   RAVENLOCK_BENCH_CPU_RUNS  runs per CPU and download figure (3)
#   RAVENLOCK_BENCH_PAUSE  seconds after each run (3)
#   RAVENLOCK_BENCH_PHASES which figures to take ("start stall cpu downloads mods")
#   RAVENLOCK_BENCH_MOD_MB size of the zip of archives the "mods" phase installs (200)
#   RAVENLOCK_BENCH_EARLIER an earlier build of the program, measured in the same runs
#                          (start-up, memory, CPU) for a before-and-after
set -euo pipefail
umask 022
here="$(cd "$(dirname "$0")" && pwd)"
export RAVENLOCK_ROOT="$(dirname "$here")"
export RAVENLOCK_BUILD="$RAVENLOCK_ROOT/build"
cd "$RAVENLOCK_ROOT"
runs="${RAVENLOCK_BENCH_RUNS:-7}"
cpu_runs="${RAVENLOCK_BENCH_CPU_RUNS:-3}"
pause="${RAVENLOCK_BENCH_PAUSE:-3}"

bash "$here/setup.sh" "$RAVENLOCK_BUILD" >/dev/null
echo "== build (release)"
cmake --preset mingw >"$RAVENLOCK_BUILD/configure.log" 2>&1 || { cat "$RAVENLOCK_BUILD/configure.log"; exit 1; }
cmake --build --preset mingw --target Fallout76Ravenlock bare_window bench_probe stub_game stub_steam stub_browser \
  stub_discord mod_install_bench >"$RAVENLOCK_BUILD/bench-build.log" 2>&1 || { tail -40 "$RAVENLOCK_BUILD/bench-build.log"; exit 1; }

source "$here/wine-env.sh"
ensure_test_user
open_build_outputs
ensure_display
prefix="$RAVENLOCK_BUILD/wine/bench-prefix"
work="$RAVENLOCK_BUILD/bench"
trap 'stop_wineserver "$prefix"; stop_display; stop_standin_services' EXIT
echo "== sandbox prefix"
bash "$here/make-sandbox-prefix.sh" "$prefix" "$RAVENLOCK_BUILD/mingw/bin" >/dev/null
start_wineserver "$prefix"
start_standin_services "$work/stand-in"
scenario_file="$work/stand-in/scenario"
rm -f "$work/results" && touch "$work/results"
[ "$(id -u)" = 0 ] && chown "$(wine_user):" "$work"
export RAVENLOCK_STARTUP_TRACE="$(windows_path "$work/trace.txt")"

bin="$RAVENLOCK_BUILD/mingw/bin"
ours="$(windows_path "$bin/Fallout76Ravenlock.exe")"
bare="$(windows_path "$bin/bare_window.exe")"
earlier=""
[ -n "${RAVENLOCK_BENCH_EARLIER:-}" ] && earlier="$(windows_path "$(realpath "$RAVENLOCK_BENCH_EARLIER")")"
# the earlier build too, when there is one: probe_earlier LABEL MODE [ARG]
probe_earlier() { if [ -n "$earlier" ]; then probe "$1" "$2" earlier "${@:3}"; fi; }

# The Linux process of a Windows program of this bench, by its path as Wine shows it.
pid_of() {
  local pid first
  for pid in $(pgrep -f -- "$(basename "${1//\\//}")"); do
    first="$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -1)" || continue
    if [ "${first,,}" = "${1,,}" ]; then echo "$pid"; return; fi
  done
}

# CPU time (ns) of a program, all its threads (ended ones too), read on the Linux side:
# Wine reports no CPU times of other processes. The kernel counts in clock ticks.
cpu_ns_of() {
  local pid; pid="$(pid_of "$1")"
  if [ -z "$pid" ]; then echo nan; return; fi
  sed 's/.*) //' "/proc/$pid/stat" | awk -v hz="$(getconf CLK_TCK)" '{print ($12 + $13) * 1e9 / hz}'
}

# Where a program's resident memory lies, in KiB: its own executable, Wine's Windows
# DLLs, Wine's Linux libraries, and memory of no file (heaps, stacks, bitmaps).
memory_of() {
  local pid; pid="$(pid_of "$1")"
  [ -n "$pid" ] || return 0
  awk -v exe="$(basename "${1//\\//}")" '
    /^[0-9a-f]+-[0-9a-f]+ / { name = $6; kind = (name == "") ? "no file" : (name ~ /\.(dll|drv|exe|sys)$/ && name !~ exe "$") ? "Windows DLLs" : (name ~ exe "$") ? "the program" : (name ~ /\.so/ || name ~ /wine/) ? "Linux libraries" : "no file"; next }
    /^Rss:/ { rss[kind] += $2 }
    END { for (k in rss) printf "memory %s=%d\n", k, rss[k] }' "/proc/$pid/smaps" 2>/dev/null
}

# probe LABEL MODE WHO [ARG]: one run, its "name=value" lines saved as "LABEL WHO name value";
# "mark=X" lines are where the probe wants our CPU time read.
probe() {
  local label="$1" mode="$2" who="$3" exe cls line
  shift 3
  case "$who" in
    bare) exe="$bare" cls=RavenlockBareWindow ;;
    earlier) exe="$earlier" cls=TMainForm ;;
    *) exe="$ours" cls=TMainForm ;;
  esac
  while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
      mark=memory) memory_of "$exe" | while IFS='=' read -r name value; do
                     printf '%s\t%s\t%s\t%s\n' "$label" "$who" "$name" "$value"; done ;;
      mark=*) printf '%s\t%s\tcpu_ns_%s\t%s\n' "$label" "$who" "${line#mark=}" "$(cpu_ns_of "$exe")" ;;
      *=*) printf '%s\t%s\t%s\t%s\n' "$label" "$who" "${line%%=*}" "${line#*=}" ;;
    esac
  done < <(wine_as_user "$prefix" wine "$bin/bench_probe.exe" "$mode" "$exe" "$cls" "$@" 2>/dev/null </dev/null) \
    >>"$work/results"
  sleep "$pause"
}

load() { echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"; }
load_start="$(cut -d' ' -f1 /proc/loadavg)"
# The start-up ratio means something only on an idle machine.
warn_if_busy() {
  local now; now="$(cut -d' ' -f1 /proc/loadavg)"
  if awk -v l="$now" 'BEGIN { exit !(l > 1) }'; then
    echo "warning: the load average is $now (over 1): the machine is not idle, and other work swings the times"
  fi
}

phases="${RAVENLOCK_BENCH_PHASES:-start stall cpu downloads mods}"
has() { [[ " $phases " == *" $1 "* ]]; }

if has start; then
  echo "== start-up and memory ($runs runs each, alternating; $(load))"
  warn_if_busy
  echo operational >"$scenario_file"
  for i in $(seq "$runs"); do probe start start bare; probe_earlier start start; probe start start ours; done
fi
if has stall; then
  echo "== UI-thread stall during a status check on a silent service ($runs runs each)"
  echo slow >"$scenario_file"
  for i in $(seq "$runs"); do probe stall stall bare 3; probe stall stall ours 3; done
  echo operational >"$scenario_file"
fi
if has cpu; then
  echo "== CPU hidden in the tray and while following a game ($cpu_runs runs each, 20 s)"
  for i in $(seq "$cpu_runs"); do
    probe idle idle ours 20; probe follow follow ours 20; probe_earlier follow follow 20
  done
fi
if has downloads; then
  echo "== UI thread during the news-picture and launch-code downloads ($cpu_runs runs each)"
  for i in $(seq "$cpu_runs"); do probe news download ours news; probe codes download ours codes; done
fi
if has mods; then
  mod_mb="${RAVENLOCK_BENCH_MOD_MB:-200}"
  echo "== installing a $mod_mb MB zip of archives beside a plain copy of the same bytes ($cpu_runs runs)"
  mod_work="$work/mods"
  rm -rf "$mod_work" && mkdir -p "$mod_work"
  python3 "$RAVENLOCK_ROOT/tools/fixtures/make_mod_archives.py" --bench-zip "$mod_work/bench.zip" "$mod_mb"
  [ "$(id -u)" = 0 ] && chown -R "$(wine_user):" "$mod_work"
  for i in $(seq "$cpu_runs"); do
    while IFS= read -r line; do
      line="${line%$'\r'}"
      case "$line" in *=*) printf 'mods\tours\t%s\t%s\n' "${line%%=*}" "${line#*=}" ;; esac
    done < <(wine_as_user "$prefix" wine "$bin/mod_install_bench.exe" "$(windows_path "$mod_work/bench.zip")" \
               "$(windows_path "$mod_work/run")" 2>/dev/null </dev/null) >>"$work/results"
    sleep "$pause"
  done
  # The same zip through the Mods tab of the running program: how long its UI thread keeps a
  # message waiting meanwhile. The archives it put into the sandbox game's Data go after
  # each run, so that the next one asks nothing.
  sandbox_data="$prefix/drive_c/Program Files (x86)/Steam/steamapps/common/Fallout76/Data"
  for i in $(seq "$cpu_runs"); do
    probe mods install ours "$(windows_path "$mod_work/bench.zip")"
    rm -f "$sandbox_data"/Bench*.ba2
  done
  rm -rf "$mod_work"
fi
echo "== done ($(load))"
echo

load_end="$(cut -d' ' -f1 /proc/loadavg)"
python3 - "$work/results" "$runs" "$load_start" "$load_end" <<'PY'
import collections, statistics, sys, os, platform, datetime
rows = collections.defaultdict(list)
errors = []
for line in open(sys.argv[1], encoding="utf-8"):
    label, who, name, value = line.rstrip("\n").split("\t")
    if name == "error":
        errors.append(f"{label}/{who}: {value}")
        continue
    try:
        value = float(value)
    except ValueError:
        continue
    if value == value:  # not nan
        rows[(label, who, name)].append(value)

def med(label, who, name):
    v = rows.get((label, who, name))
    return statistics.median(v) if v else None

def fmt(v, unit):
    return "n/a" if v is None else f"{v:.0f} {unit}" if unit != "%" else f"{v:.2f} %"

cpu = open("/proc/cpuinfo").read()
model = next((l.split(":", 1)[1].strip() for l in cpu.splitlines() if l.startswith("model name")), platform.machine())
print(f"Fallout 76 Ravenlock benchmark, {datetime.datetime.utcnow():%Y-%m-%d %H:%M} UTC")
print(f"machine: {model}, {os.cpu_count()} cores, {os.popen('wine --version 2>/dev/null').read().strip()}, Xvfb")
print(f"medians of {sys.argv[2]} alternating runs (CPU and downloads: {len(rows.get(('idle', 'ours', 'wall_ms'), []))} runs)")
load_start, load_end = float(sys.argv[3]), float(sys.argv[4])
print(f"load average {load_start:.2f} at the start, {load_end:.2f} at the end"
      + (": NOT an idle machine (over 1), the times swing with the other work" if max(load_start, load_end) > 1 else ""))
print()
print(f"{'figure':<52}{'bare window':>14}{'ours':>14}{'ratio / over':>16}")

def line(title, bare, ours, unit, how):
    extra = ""
    if bare is not None and ours is not None:
        extra = f"{ours / bare:.2f}x" if how == "ratio" else f"+{ours - bare:.0f} {unit}"
    print(f"{title:<52}{fmt(bare, unit):>14}{fmt(ours, unit):>14}{extra:>16}")

line("start to visible window", med("start", "bare", "visible_ms"), med("start", "ours", "visible_ms"), "ms", "ratio")
# From the program's own trace: creation to the end of its first paint, and the module load.
first_paint_steps = ["module load", "classes and pages", "artwork decoding", "settings", "start-up sequence", "first paint"]
traced = [sum(v) for v in zip(*(rows.get(("start", "ours", "trace " + s), []) for s in first_paint_steps))]
if traced:
    rows[("start", "ours", "first_paint_ms")] = traced
print(f"{'time to first paint (the program trace)':<52}{'-':>14}{fmt(med('start', 'ours', 'first_paint_ms'), 'ms'):>14}")
print(f"{'module-load step (the program trace)':<52}{'-':>14}{fmt(med('start', 'ours', 'trace module load'), 'ms'):>14}")
after = med("start", "ours", "tray_after_visible_ms")
print(f"{'start to tray icon (after the window shows)':<52}{'-':>14}{fmt(med('start', 'ours', 'tray_ms'), 'ms'):>14}"
      f"{'' if after is None else '+' + fmt(after, 'ms'):>16}")
kib = lambda v: None if v is None else v / 1024
line("working set 3 s after start", kib(med("start", "bare", "working_set_kib")),
     kib(med("start", "ours", "working_set_kib")), "MiB", "over")
for label in ("idle", "follow"):
    for b, e in zip(rows.get((label, "ours", "cpu_ns_begin"), []), rows.get((label, "ours", "cpu_ns_end"), [])):
        rows[(label, "ours", "cpu_ms")].append((e - b) / 1e6)
for label, title in (("idle", "CPU, hidden in the tray, no game"), ("follow", "CPU while following a running game")):
    c, w = med(label, "ours", "cpu_ms"), med(label, "ours", "wall_ms")
    pct = None if c is None or w is None else 100 * c / w
    tick = "" if c is None or w is None else f"{c / (w / 2000):.1f} ms/2 s"
    print(f"{title:<52}{'-':>14}{fmt(pct, '%'):>14}{tick:>16}")
line("longest UI-thread stall, status check on silent service", med("stall", "bare", "stall_ms"),
     med("stall", "ours", "stall_ms"), "ms", "ratio")
for label, title in (("news", "longest UI-thread stall, news-picture download"),
                     ("codes", "longest UI-thread stall, launch-code download")):
    print(f"{title:<52}{'-':>14}{fmt(med(label, 'ours', 'stall_ms'), 'ms'):>14}")
print()
print("start-up of ours by step (ms, medians):")
steps = [n[6:] for (l, w, n) in rows if l == "start" and w == "ours" and n.startswith("trace ")]
order = ["module load", "classes and pages", "artwork decoding", "settings", "start-up sequence", "first paint",
         "waiting in the message loop", "tray icon", "other tabs", "rest of start-up", "total"]
for s in sorted(set(steps), key=lambda s: order.index(s) if s in order else 99):
    print(f"  {s:<24}{med('start', 'ours', 'trace ' + s):8.1f}")
print()
print("resident memory 3 s after start by kind (MiB, medians):")
for kind in sorted({n[7:] for (l, w, n) in rows if l == "start" and n.startswith("memory ")}):
    b, o = med("start", "bare", "memory " + kind), med("start", "ours", "memory " + kind)
    print(f"  {kind:<24}{(b or 0) / 1024:8.1f}{(o or 0) / 1024:8.1f}")
if any(w == "earlier" for (l, w, n) in rows):
    print()
    print("the earlier build in the same runs (before and after):")
    line("start to visible window, earlier build", med("start", "bare", "visible_ms"),
         med("start", "earlier", "visible_ms"), "ms", "ratio")
    e_after = med("start", "earlier", "tray_after_visible_ms")
    print(f"{'start to tray icon (after the window shows), earlier':<52}{'-':>14}"
          f"{fmt(med('start', 'earlier', 'tray_ms'), 'ms'):>14}{'' if e_after is None else '+' + fmt(e_after, 'ms'):>16}")
    line("working set 3 s after start, earlier build", kib(med("start", "bare", "working_set_kib")),
         kib(med("start", "earlier", "working_set_kib")), "MiB", "over")
    for b, e in zip(rows.get(("follow", "earlier", "cpu_ns_begin"), []), rows.get(("follow", "earlier", "cpu_ns_end"), [])):
        rows[("follow", "earlier", "cpu_ms")].append((e - b) / 1e6)
    c, w = med("follow", "earlier", "cpu_ms"), med("follow", "earlier", "wall_ms")
    if c is not None and w:
        print(f"{'CPU while following a game, earlier build':<52}{'-':>14}{fmt(100 * c / w, '%'):>14}{c / (w / 2000):>10.1f} ms/2 s")
    for s in order:
        v = med("start", "earlier", "trace " + s)
        if v is not None:
            print(f"  {s:<24}{v:8.1f}  (ours {med('start', 'ours', 'trace ' + s) or 0:.1f})")
    for kind in sorted({n[7:] for (l, w, n) in rows if l == "start" and w == "earlier" and n.startswith("memory ")}):
        print(f"  memory {kind:<17}{(med('start', 'earlier', 'memory ' + kind) or 0) / 1024:8.1f} MiB"
              f"  (ours {(med('start', 'ours', 'memory ' + kind) or 0) / 1024:.1f})")
install, copy = med("mods", "ours", "install_ms"), med("mods", "ours", "copy_ms")
if install is not None and copy:
    mb = (med("mods", "ours", "bytes") or 0) / 1e6
    print()
    print(f"installing a zip of archives ({mb:.0f} MB unpacked) through the installer: {install:.0f} ms;"
          f" a plain copy of the same bytes: {copy:.0f} ms; {install / copy:.2f}x (goal <= 1.5x)")
stall = med("mods", "ours", "install_stall_ms")
if stall is not None:
    print(f"longest UI-thread stall while the Mods tab installs that zip: {stall:.0f} ms (goal < 250 ms);"
          f" the install in the program took {med('mods', 'ours', 'install_in_program_ms') or 0:.0f} ms")
for e in errors:
    print("run failed:", e)
PY
