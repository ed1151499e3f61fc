# Sourced: fetch_source PACKAGE WORK_DIR echoes the folder of Debian's unpacked source
# package under WORK_DIR, fetching it with apt-get source the first time.
fetch_source() {
  local pkg="$1" work="$2"
  local dir
  dir="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n1)"
  if [ -z "$dir" ]; then
    (cd "$work" && apt-get source "$pkg" >/dev/null 2>"$work/$pkg.apt.log") || {
      echo "'apt-get source $pkg' failed:" >&2; cat "$work/$pkg.apt.log" >&2; exit 1; }
    dir="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n1)"
  fi
  echo "$dir"
}
