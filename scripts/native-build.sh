#!/bin/bash
# Builds the pure core natively with clang, AddressSanitizer and UndefinedBehaviorSanitizer:
# its unit tests and the fuzz targets, in BUILD_DIR/native. libpng and libjpeg-turbo are
# built first from the same Debian source packages as the cross-built copies, with
# AddressSanitizer and libFuzzer's coverage, so that the picture target sees inside them.
# Usage: scripts/native-build.sh [BUILD_DIR]      (after scripts/setup.sh)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$(realpath -m "${1:-$root/build}")"
work="$build/deps/deps-work"
prefix="$build/native-deps/prefix"
mkdir -p "$work" "$prefix"
source "$here/deb-source.sh"
export CC=clang-14 CXX=clang++-14
# Memory errors inside the decoders are what we look for; their own arithmetic quirks
# are not ours to fix, so UBSan stays with our code.
deps_flags="-g -O1 -fno-omit-frame-pointer -fsanitize=address,fuzzer-no-link"

build_native() { # name srcdir cmake-args...
  local name="$1" src="$2"; shift 2
  local b="$build/native-deps/build-$name" log="$build/native-deps/$name.log"
  echo "native-build: building instrumented $name"
  { cmake -S "$src" -B "$b" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_C_FLAGS="$deps_flags" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" "$@" &&
    cmake --build "$b" -j2 && cmake --install "$b"; } >"$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
}

if [ ! -f "$prefix/.jpeg-done" ]; then
  build_native jpeg "$(fetch_source libjpeg-turbo "$work")" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
  touch "$prefix/.jpeg-done"
fi
if [ ! -f "$prefix/.png-done" ]; then
  build_native png "$(fetch_source libpng1.6 "$work")" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF
  touch "$prefix/.png-done"
fi

echo "native-build: core, unit tests and fuzz targets"
log="$build/native-configure.log"
cmake -S "$root/tests/native" -B "$build/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=None \
  -DRAVENLOCK_NATIVE_DEPS="$prefix" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
set +e
cmake --build "$build/native" -j2 2>&1 | grep -vE '^\[ *[0-9]+%\]|^gmake|Consolidate compiler|^Built target'
build_rc=${PIPESTATUS[0]}
set -e
[ "$build_rc" = 0 ] || { echo "native build failed" >&2; exit 1; }
