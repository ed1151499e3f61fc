#!/bin/bash
# Installs what building and testing need on Debian 12, then cross-builds the
# dependencies. Safe to run again: every step skips what is already in place.
# Usage: scripts/setup.sh [BUILD_DIR]
set -euo pipefail
# What we create must be readable by the unprivileged Wine user, whatever umask we got.
umask 022
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${1:-$root/build}"

packages=(
  cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils x11-apps imagemagick
  nlohmann-json3-dev libz-mingw-w64-dev googletest
  locales dpkg-dev python3 file p7zip-full
  clang-14 libclang-rt-14-dev zlib1g-dev
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Debian's source packages of libjpeg-turbo and libpng need a deb-src entry.
src_list=/etc/apt/sources.list.d/ravenlock-deb-src.sources
need_update=0
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  as_root tee "$src_list" >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  echo "setup: installing ${missing[*]:-(source index only)}"
  as_root apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (1251) and formats from a Russian locale.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  echo "setup: generating ru_RU.UTF-8"
  as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

"$here/build-deps.sh" "$build/deps/prefix"
