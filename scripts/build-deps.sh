#!/bin/bash
# Cross-builds libjpeg-turbo, libpng, liblzma (xz-utils) and libarchive for MinGW-w64 from
# Debian's source packages
# into a prefix, and stages nlohmann/json there so that CMake finds all of them with
# find_package without ever seeing the host's /usr/include.
# Usage: scripts/build-deps.sh PREFIX     (skips what PREFIX already holds)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
prefix="$(realpath -m "${1:?usage: build-deps.sh PREFIX}")"
work="$prefix/../deps-work"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
mkdir -p "$prefix" "$work"

source "$here/deb-source.sh"

build_cmake() { # name srcdir cmake-args...
  local name="$1" src="$2"; shift 2
  local b="$work/build-$name"
  echo "build-deps: building $name"
  cmake -S "$src" -B "$b" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_POSITION_INDEPENDENT_CODE=OFF "$@" \
    >"$work/$name.configure.log" 2>&1 || { tail -40 "$work/$name.configure.log" >&2; exit 1; }
  cmake --build "$b" -j2 >"$work/$name.build.log" 2>&1 || { tail -40 "$work/$name.build.log" >&2; exit 1; }
  cmake --install "$b" >"$work/$name.install.log" 2>&1 || { tail -40 "$work/$name.install.log" >&2; exit 1; }
}

if [ ! -f "$prefix/.jpeg-done" ]; then
  src="$(fetch_source libjpeg-turbo "$work")"
  build_cmake jpeg "$src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
  touch "$prefix/.jpeg-done"
fi

if [ ! -f "$prefix/.png-done" ]; then
  src="$(fetch_source libpng1.6 "$work")"
  build_cmake png "$src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=ON \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include
  touch "$prefix/.png-done"
fi

if [ ! -f "$prefix/.lzma-done" ]; then
  src="$(fetch_source xz-utils "$work")"
  build_cmake lzma "$src" -DBUILD_SHARED_LIBS=OFF -DENABLE_NLS=OFF -DCREATE_XZ_SYMLINKS=OFF \
    -DCREATE_LZMA_SYMLINKS=OFF
  touch "$prefix/.lzma-done"
fi

# The marker names the liblzma fix: a prefix whose libarchive was built without liblzma
# (it could not see our prefix through the toolchain's find root) reads no 7z, and is rebuilt.
if [ ! -f "$prefix/.archive-lzma-done" ]; then
  # Only what mods come in: zip (zlib), 7z (liblzma) and rar, read-only; no crypto, no
  # other compressors, no tools. Its one test that runs a program asks whether zlib needs
  # ZLIB_WINAPI, which Debian's MinGW zlib does not: a "runner" that always fails says so
  # (CMake cannot run the test itself when cross-compiling). liblzma is named outright, and
  # as the static library it is (LZMA_API_STATIC: no DLL import stubs).
  src="$(fetch_source libarchive "$work")"
  rm -rf "$work/build-archive"
  build_cmake archive "$src" -DBUILD_SHARED_LIBS=OFF -DENABLE_TEST=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF \
    -DENABLE_CAT=OFF -DENABLE_UNZIP=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_ICONV=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF -DENABLE_LIBB2=OFF \
    -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_ZSTD=OFF -DENABLE_BZip2=OFF -DENABLE_LIBXML2=OFF \
    -DENABLE_EXPAT=OFF -DENABLE_PCREPOSIX=OFF -DENABLE_PCRE2POSIX=OFF -DENABLE_LZMA=ON -DENABLE_ZLIB=ON \
    -DENABLE_WERROR=OFF -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include -DCMAKE_PREFIX_PATH="$prefix" \
    -DLIBLZMA_INCLUDE_DIR="$prefix/include" -DLIBLZMA_LIBRARY="$prefix/lib/liblzma.a" \
    -DCMAKE_C_FLAGS="-DLZMA_API_STATIC"
  grep -q '#define HAVE_LZMA_H 1' "$work/build-archive/config.h" ||
    { echo "build-deps: libarchive was configured without liblzma" >&2; exit 1; }
  touch "$prefix/.archive-lzma-done"
fi

if [ ! -f "$prefix/.json-done" ]; then
  # Header-only: copy the headers and Debian's package config, which locates itself
  # relative to its own folder, into the prefix.
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
  touch "$prefix/.json-done"
fi
echo "build-deps: dependencies ready in $prefix"
